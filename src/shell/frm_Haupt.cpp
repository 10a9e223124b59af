#include "frm_Haupt.h"

#include "FirmwareTab.h"
#include "FirmwarestandBefehle.h"
#include "KonfigurationBefehle.h"
#include "KonfigurationDateibefehle.h"
#include "KonfigurationEingabe.h"
#include "KonfigurationTab.h"
#include "Logfenster.h"
#include "LoggenBefehle.h"
#include "LoggenTab.h"
#include "Programmeinstellungen.h"
#include "Statushinweise.h"
#include "TelefonbuchBefehle.h"
#include "TelefonbuchDateibefehle.h"
#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"
#include "Vergleichsbefehle.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>

namespace {

// The window's design size: 9945 x 6795 twips at 15 twips a pixel.
constexpr QSize Fenstergröße(663, 453);

// The buttons that work only with an open port, in the order they are switched.
const char* const Gerätebefehlnamen[] = {
    "cmd_Bustreiberupdate",         "cmd_Update",
    "cmd_FirmwareAuslesen",         "cmd_KonfigAusAnlageLaden",
    "cmd_KonfigInAnlageSpeichern",  "cmd_TelbuchAusAnlageLaden",
    "cmd_TelbuchInAnlageSpeichern",
};

struct Hinweis {
    const char* control;
    const char* text;
};

const Hinweis FesteHinweise[] = {
    {"cmd_KonfigAusAnlageLaden", "Konfiguration aus dem Klingport laden"},
    {"cmd_KonfigInAnlageSpeichern", "Konfiguration in das Klingport speichern"},
    {"cmd_KonfigAusDateiLaden", "Konfiguration aus einer Datei laden"},
    {"cmd_KonfigInDateiSpeichern", "Konfiguration in eine Datei speichern"},
    {"cmd_Werkseinstellungen", "Werkseinstellungen in die Programmoberfläche laden"},
    {"cmd_KonfigDrucken", "Konfigurationsparameter drucken"},
    {"lab_PIN", "Vierstellige Zahl für die Absicherung der Programmierung"},
    {"lab_Türgesprächszeit", "maximale Gesprächszeit zwischen Klingport und Türstation"},
    {"txt_Masterumleitungsnummer", "Dem Telefonbuch übergeordnete Rufnummer"},
    {"chk_ab_masterrufumleitung", "Zur Weiterleitung des Türrufes an einen Anrufbeantworter"},
    {"obu_aus", "Es gelten die Telefonnummern des Telefonbuches"},
    {"obu_verzögert", "Nach Ablauf der Rufzeit Weiterleitung an Masterrufumleitungsnummer"},
    {"obu_sofort", "Dirkete Weiterleitung an die Masterrufumleitungsnummer"},
    {"obu_Variante1", "Auswahl der aktiven Variante des Telefonbuches"},
    {"obu_Variante2", "Auswahl der aktiven Variante des Telefonbuches"},
    {"cmd_TelbuchAusAnlageLaden", "Telefonbuch aus dem Klingport laden"},
    {"cmd_TelbuchInAnlageSpeichern", "Telefonbuch in das Klingport speichern"},
    {"cmd_TelbuchAusDateiLaden", "Telefonbuch aus einer Datei laden"},
    {"cmd_TelbuchInDateiSpeichern", "Telefonbuch in eine Datei speichern"},
    {"cmd_TelbuchAusAnlageLoeschen", "Telefonbuch löschen"},
    {"cmd_TelbuchDrucken", "Telefonbuch drucken"},
    {"cmd_TelbuchBearbeiten", "Bearbeiten des markierten Telefonbucheintrags"},
    {"cmd_TelbuchLöschen", "Löschen des markierten Telefonbucheintrags"},
    {"Cmd_RufInformationAbholen", "Zuordnung der eingelernten Ruftaste zum markierten Telefonbucheintrag"},
    {"cmd_SaveLog", "Speichern eines Logfensters"},
    {"cmd_OpenLog", "Öffnen eines Logfensters"},
    {"cmd_DeleteLog", "Löschen des Logfensters"},
    {"cmd_LoggDrucken", "Drucken des Logfensters"},
    {"cmd_FirmwareAuslesen", "Auslesen der Firmwareversion aus dem Klingport"},
    {"cmd_Update", "Firmware in das Klingport speichern"},
    {"cmd_FirmwaredateiÄndern", "Auswahl der Firmwaredatei"},
    {"cmd_Bustreiberupdate", "Bustreiber in das Klingport speichern"},
    {"cmd_BustreiberdateiÄndern", "Auswahl der Bustreiberdatei"},
};

// Frames whose surface clears the hint.
const char* const LeerendeRahmen[] = {"Frame2", "Frame3", "Frame4",           "Frame5",
                                      "Frame7", "Frame9", "fra_Firmwarestand"};

} // namespace

frm_Haupt::frm_Haupt(QWidget* parent)
    : QMainWindow(parent), SSTab1(new QTabWidget(this)), konfiguration(new KonfigurationTab),
      telefonbuch(new TelefonbuchTab), loggen(new LoggenTab), firmware(new FirmwareTab),
      statushinweise(new Statushinweise(*statusBar(), this)), tim_wait(new QTimer(this))
{
    setObjectName(QStringLiteral("frm_Haupt"));
    setWindowTitle(shell::Anwendungstitel);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    lab_Abgleich = new QLabel;
    lab_Abgleich->setObjectName(QStringLiteral("lab_Abgleich"));
    statusBar()->addPermanentWidget(lab_Abgleich);

    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(konfiguration, QStringLiteral("  &Konfiguration"));
    SSTab1->addTab(telefonbuch, QStringLiteral("  &Telefonbuch"));
    SSTab1->addTab(loggen, QStringLiteral("  &Loggen"));
    SSTab1->addTab(firmware, QStringLiteral("  &Firmware"));
    setCentralWidget(SSTab1);

    tim_wait->setObjectName(QStringLiteral("tim_wait"));
    tim_wait->setSingleShot(true);
    tim_wait->setTimerType(Qt::PreciseTimer); // never earlier than asked
    tim_wait->setInterval(100);

    menüAnlegen();
    hinweiseAnlegen();

    // The window keeps its design size; it may be minimised but not maximised.
    setFixedSize(Fenstergröße);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
}

frm_Haupt::~frm_Haupt() = default;

void frm_Haupt::menüAnlegen()
{
    QAction* optionen = menuBar()->addAction(QStringLiteral("&Einstellungen"));
    optionen->setObjectName(QStringLiteral("men_Optionen"));
    connect(optionen, &QAction::triggered, this, &frm_Haupt::optionsRequested);
    QAction* sicherungen = menuBar()->addAction(QStringLiteral("&Sicherungen"));
    sicherungen->setObjectName(QStringLiteral("men_Sicherungen"));
    connect(sicherungen, &QAction::triggered, this, &frm_Haupt::backupsRequested);
    men_Vergleichen = menuBar()->addAction(QStringLiteral("&Vergleichen"));
    men_Vergleichen->setObjectName(QStringLiteral("men_Vergleichen"));
    men_Vergleichen->setEnabled(false); // a device command
    connect(men_Vergleichen, &QAction::triggered, this, [this] { vergleich->mitKlingportVergleichen(); });
    QAction* info = menuBar()->addAction(QStringLiteral("&Info"));
    info->setObjectName(QStringLiteral("Info"));
    connect(info, &QAction::triggered, this, &frm_Haupt::infoRequested);
}

void frm_Haupt::AnfangszustandHerstellen()
{
    telefonbuch->TelefonbuchTabelleAufbauen();
    konfiguration->KonfigurationWerkseinstellungen();
    SSTab1->setCurrentIndex(0);
    // The number is still empty: the forwarding controls are disabled, their values untouched.
    konfiguration->MasterumleitungFreigeben();
}

void frm_Haupt::BefehleAnlegen(Befehlsteile t)
{
    umgebung.emplace(Befehlsumgebung{t.link, *this, t.meldungen, loggen->log(), t.uhr, t.sicherungen,
                                     [this](const QByteArray& abbild) { vergleich->imKlingport(abbild); }});
    vergleich = new Vergleichsbefehle(*umgebung, *konfiguration, *telefonbuch, *lab_Abgleich, this);
    konfigurationBefehle = new KonfigurationBefehle(
        *konfiguration, *umgebung,
        [this] { return AnrufbeantworterImTelefonbuch(telefonbuch->modell().telefonbuch()); }, this);
    new KonfigurationEingabe(*konfiguration, t.meldungen, this);
    new KonfigurationDateibefehle(*konfiguration, t.meldungen, t.dateidialoge, t.drucker, this);
    telefonbuchBefehle = new TelefonbuchBefehle(
        *telefonbuch, *umgebung, [this] { return konfiguration->obu_verzögert->isChecked(); }, this);
    new TelefonbuchDateibefehle(*telefonbuch, t.meldungen, t.dateidialoge, t.drucker, this);
    firmwarestand = new FirmwarestandBefehle(
        *firmware, *umgebung, [this](int ms) { wait(ms); }, this);
    update =
        new UpdateBefehle(*firmware, *umgebung, t.dateidialoge, *firmwarestand, std::move(t.pfade), this);
    loggenBefehle = new LoggenBefehle(*loggen, *umgebung, t.dateidialoge, t.drucker, this);
}

void frm_Haupt::hinweiseAnlegen()
{
    Statushinweise& h = *statushinweise;
    // Every named control keeps the last hint unless it has one of its own or clears it.
    for (QWidget* control : SSTab1->findChildren<QWidget*>()) {
        if (!control->objectName().isEmpty() && !control->objectName().startsWith(QLatin1String("qt_")))
            h.behalten(control);
    }
    for (const Hinweis& hinweis : FesteHinweise)
        h.hinweis(findChild<QWidget*>(QString::fromUtf8(hinweis.control)), QString::fromUtf8(hinweis.text));
    for (const char* rahmen : LeerendeRahmen)
        h.leeren(findChild<QWidget*>(QString::fromUtf8(rahmen)));
    h.leeren(SSTab1);
    h.leeren(SSTab1->findChild<QTabBar*>());
    for (int i = 0; i < SSTab1->count(); ++i)
        h.leeren(SSTab1->widget(i));

    auto* nebenstelle = findChild<QRadioButton*>(QStringLiteral("obu_Nebenstellenanschluß"));
    h.hinweis(findChild<QWidget*>(QStringLiteral("lab_LokaleRufzeit")), [nebenstelle] {
        return nebenstelle->isChecked()
                   ? QStringLiteral("im Nebenstellenbetrieb nicht wirksam")
                   : QStringLiteral("maximale Rufzeit zum lokalen Telefon über die TLN-Klemmen");
    });
    h.hinweis(findChild<QWidget*>(QStringLiteral("lab_ExterneRufzeit")), [nebenstelle] {
        return nebenstelle->isChecked()
                   ? QStringLiteral(
                         "maximale Rufzeit zur Telefonanlage bzw. zum externen Teilnehmer über die "
                         "AMT-Klemmen")
                   : QStringLiteral("maximale Rufzeit zum externen Teilnehmer über die AMT-Klemmen");
    });
    auto* startLog = findChild<QAbstractButton*>(QStringLiteral("cmd_StartLog"));
    h.hinweis(startLog, [startLog] {
        return startLog->text() == QLatin1String("Start") ? QStringLiteral("Starten der Logfunktion")
                                                          : QStringLiteral("Stoppen der Logfunktion");
    });
    auto* autoScroll = findChild<QCheckBox*>(QStringLiteral("chk_AutoSroll"));
    h.hinweis(autoScroll, [autoScroll] {
        return autoScroll->isChecked() ? QStringLiteral("Auto-Scroll für die Logfunktion deaktivieren")
                                       : QStringLiteral("Auto-Scroll für die Logfunktion aktivieren");
    });
}

QList<QPushButton*> frm_Haupt::Gerätebefehle() const
{
    QList<QPushButton*> knöpfe;
    for (const char* name : Gerätebefehlnamen)
        knöpfe.append(findChild<QPushButton*>(QString::fromUtf8(name)));
    return knöpfe;
}

void frm_Haupt::KommunikationEnable()
{
    for (QPushButton* knopf : Gerätebefehle())
        knopf->setEnabled(true);
    men_Vergleichen->setEnabled(true);
    emit kommunikationGeschaltet();
}

void frm_Haupt::KommunikationDisable()
{
    for (QPushButton* knopf : Gerätebefehle())
        knopf->setEnabled(false);
    men_Vergleichen->setEnabled(false);
    emit kommunikationGeschaltet();
}

bool frm_Haupt::KommunikationEnabled() const
{
    const QList<QPushButton*> knöpfe = Gerätebefehle();
    return std::all_of(knöpfe.begin(), knöpfe.end(),
                       [this](const QPushButton* knopf) { return knopf->isEnabledTo(this); });
}

void frm_Haupt::wait(int millisekunden)
{
    QEventLoop schleife;
    connect(tim_wait, &QTimer::timeout, &schleife, &QEventLoop::quit);
    tim_wait->start(millisekunden);
    schleife.exec();
}

void frm_Haupt::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (aktiviert)
        return;
    aktiviert = true;
    // Once the window is up, so that what the first activation shows stands in front of it.
    QTimer::singleShot(0, this, &frm_Haupt::firstActivated);
}

void frm_Haupt::closeEvent(QCloseEvent* event)
{
    // A transfer runs to its end: closing now would leave the device with half an image.
    if (umgebung && umgebung->link.kommunikationsModus() >= 2) {
        event->ignore();
        return;
    }
    emit closing();
    event->accept();
}
