#include "Programm.h"

#include "Clock.h"
#include "FirmwareTab.h"
#include "Geraeteprobe.h"
#include "InstanceGuard.h"
#include "KonfigurationTab.h"
#include "LoggenBefehle.h"
#include "LoggenTab.h"
#include "MessageBoxes.h"
#include "Portsuche.h"
#include "SerialPort.h"
#include "TelefonbuchBefehle.h"
#include "TelefonbuchTab.h"
#include "Verbindungswache.h"
#include "Vergleichsbefehle.h"
#include "frmAbout.h"
#include "frm_Haupt.h"
#include "frm_Kommunikation.h"
#include "frm_Optionen.h"
#include "frm_Sicherungen.h"

#include <QApplication>
#include <QCheckBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>

namespace shell {

Programm::Programm(Plattform plattform) : p(plattform), ports(plattform.settings) {}

Programm::~Programm()
{
    delete optionenFenster;
    delete aboutFenster;
    delete sicherungenFenster;
}

frm_Optionen* Programm::optionen()
{
    return optionenFenster;
}

frm_Sicherungen* Programm::sicherungen()
{
    return sicherungenFenster;
}

frmAbout* Programm::about()
{
    return aboutFenster;
}

bool Programm::starten()
{
    // So that docks and task switchers show the menu entry's name and icon for its windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.welko.klingport"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/klingport.png")));
    // Initialisation: the settings, then the link's window.
    haupt = std::make_unique<frm_Haupt>();
    const Ladeergebnis geladen = EinstellungenLaden(p.settings, werte);
    if (geladen.vollständig) {
        haupt->loggen->chk_AutoSroll->setChecked(geladen.logAutoScroll);
        haupt->firmware->lab_Firmwaredateiname->setText(Dateibeschriftung(werte.FirmwarePfad));
        haupt->firmware->lab_Bustreiberdateiname->setText(Dateibeschriftung(werte.BustreiberPfad));
    }
    link =
        std::make_unique<frm_Kommunikation>(p.serialPort, p.clock, [this](int n) { return ports.pfad(n); });

    // Load: one instance only. A guard that cannot be set up must not keep the program from starting.
    switch (p.instanz.acquire()) {
    case platform::InstanceGuard::Anspruch::Erhalten:
        break;
    case platform::InstanceGuard::Anspruch::Belegt:
        p.meldungen.show(QStringLiteral("Programm läuft bereits!"), platform::Icon::Exclamation);
        link.reset();
        haupt.reset();
        return false;
    case platform::InstanceGuard::Anspruch::Unmöglich:
        p.meldungen.show(
            QStringLiteral("Im Ordner \"%1\" kann die Sperrdatei nicht angelegt werden, die einen "
                           "zweiten Start des Programms verhindert.\r\nDas Programm startet ohne "
                           "diesen Schutz.")
                .arg(p.instanz.ordner()),
            platform::Icon::Exclamation);
        break;
    }
    werte.ÜbertragungenLoggen = true;
    haupt->BefehleAnlegen({*link,
                           p.meldungen,
                           p.uhr,
                           p.dateidialoge,
                           p.drucker,
                           p.sicherungen,
                           {werte.FirmwarePfad, werte.BustreiberPfad, [this] { EinstellungenSpeichern(); }}});
    QObject::connect(link.get(), &frm_Kommunikation::berichtszeileEmpfangen, haupt->loggenBefehle,
                     &LoggenBefehle::berichtEmpfangen);
    wache = new Verbindungswache(*link, *haupt, werte.ComportNummer, haupt.get());
    QObject::connect(link.get(), &frm_Kommunikation::portVerloren, wache, &Verbindungswache::verloren);
    QObject::connect(haupt->loggen->chk_AutoSroll, &QCheckBox::clicked, haupt.get(),
                     [this] { EinstellungenSpeichern(); });
    haupt->AnfangszustandHerstellen();

    QObject::connect(haupt.get(), &frm_Haupt::optionsRequested, haupt.get(), [this] { optionenZeigen(); });
    QObject::connect(haupt.get(), &frm_Haupt::infoRequested, haupt.get(), [this] { infoZeigen(); });
    QObject::connect(haupt.get(), &frm_Haupt::backupsRequested, haupt.get(), [this] { sicherungenZeigen(); });
    QObject::connect(haupt.get(), &frm_Haupt::firstActivated, haupt.get(), [this] { ersteAktivierung(); });
    QObject::connect(haupt.get(), &frm_Haupt::closing, haupt.get(), [this] { beenden(); });
    haupt->show();
    return true;
}

void Programm::EinstellungenSpeichern()
{
    shell::EinstellungenSpeichern(p.settings, werte, haupt->loggen->chk_AutoSroll->isChecked());
}

frm_Optionen& Programm::optionenLaden()
{
    if (!optionenFenster) {
        PortsZuordnen(); // before the stored port is opened
        optionenFenster =
            new frm_Optionen({werte, p.meldungen, p.drucker, *haupt,
                              [this](int n) {
                                  // A port the user opens ends waiting for a lost one.
                                  wache->aufgeben();
                                  // The device on the old port must not stay in logging mode.
                                  haupt->loggenBefehle->LoggenBeenden();
                                  return link->ComportÖffnen(n);
                              },
                              [this](int n) { return ports.pfad(n); }, [this] { EinstellungenSpeichern(); },
                              [this] { optionenFenster->deleteLater(); }});
        optionenFenster->laden(!std::exchange(optionenGeladen, true));
    }
    return *optionenFenster;
}

void Programm::PortsZuordnen()
{
    // On Windows an unplugged adapter keeps the number Windows reserved for it, and the chosen port,
    // absent now, its own.
    QSet<int> vergeben = platform::reservierteNummern(platform::comDb());
#ifdef Q_OS_WIN
    vergeben.insert(werte.ComportNummer);
#endif
    platform::PortsZuordnen(p.settings, platform::vorhandeneSeriellePorts(p.portordner), vergeben);
}

void Programm::optionenZeigen()
{
    PortsZuordnen(); // an adapter plugged in since shows up in the dialog
    frm_Optionen& optionen = optionenLaden();
    optionen.show();
    optionen.raise();
    optionen.activateWindow();
}

void Programm::sicherungenZeigen()
{
    if (!sicherungenFenster) {
        sicherungenFenster = new frm_Sicherungen(
            {haupt->befehlsumgebung(), *haupt->konfiguration, *haupt->telefonbuch, p.dateimanager,
             [this](const QString& text) { haupt->statusBar()->showMessage(text); },
             [this] { return haupt->KommunikationEnabled(); },
             [this](const QByteArray& abbild, QWidget& über) {
                 haupt->vergleich->mitSicherungVergleichen(abbild, über);
             }});
        QObject::connect(haupt.get(), &frm_Haupt::kommunikationGeschaltet, sicherungenFenster,
                         &frm_Sicherungen::gerätebefehleAbgleichen);
    }
    sicherungenFenster->show();
    sicherungenFenster->raise();
    sicherungenFenster->activateWindow();
}

void Programm::infoZeigen()
{
    if (!aboutFenster)
        aboutFenster = new frmAbout(p.meldungen, p.systemInfo);
    aboutFenster->show();
    aboutFenster->raise();
}

void Programm::ersteAktivierung()
{
    optionenLaden();
    GeraetPruefen(haupt->befehlsumgebung(), werte.ComportNummer, *haupt->firmware, *haupt->konfiguration,
                  *haupt->telefonbuch);
    aktiviert = true;
}

void Programm::beenden()
{
    wache->aufgeben();
    if (link && link->kommunikationsModus() == 1)
        link->LoggenAus();
    if (optionenFenster) {
        optionenFenster->Form_Unload();
        delete optionenFenster;
    }
    if (frm_Telbuch* editor = haupt->telefonbuchBefehle->editor())
        editor->close(); // its edits are discarded, as by its close box
    // Closes the serial port after what was written has left. The link itself lives on with the
    // window, so a command still unwinding from its pause finds a closed port, not a deleted link.
    link->ComportSchließen();
    delete aboutFenster;
    delete sicherungenFenster;
}

} // namespace shell
