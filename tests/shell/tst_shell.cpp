// The program as an installer starts it, with fakes for the platform: start-up, settings store,
// main window, settings and printer dialogs, about box.

#include "Clock.h"
#include "FakeSettingsStore.h"
#include "Fakes.h"
#include "Fenstersperre.h"
#include "Portsuche.h"
#include "Programm.h"
#include "QtSettingsStore.h"
#include "Sicherungen.h"
#include "frmAbout.h"
#include "frm_Haupt.h"
#include "frm_Kommunikation.h"
#include "frm_Optionen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using platform::Icon;

namespace {

const QString PortWarnung =
    QStringLiteral("                  Achtung!\r\nCOM-Port nicht vorhanden oder belegt!\r\n"
                   "Bitte wählen Sie einen anderen Port!");
const QString OhneGerät =
    QStringLiteral("Da kein Klingport angeschlossen ist wurden die Standardparameter geladen!");
const QStringList Gerätebefehle = {"cmd_Bustreiberupdate",        "cmd_Update",
                                   "cmd_FirmwareAuslesen",        "cmd_KonfigAusAnlageLaden",
                                   "cmd_KonfigInAnlageSpeichern", "cmd_TelbuchAusAnlageLaden",
                                   "cmd_TelbuchInAnlageSpeichern"};

QString zeichen(int code)
{
    return QString(QChar(char16_t(code)));
}

// The platform of one run; a store given from outside outlives runs, as the user's settings do.
struct Lauf {
    FakeSettingsStore eigene;
    FakeSettingsStore& settings;
    FakeSerialPort port;
    platform::SteadyClock clock;
    platform::SystemWallClock uhr;
    FakeMessageBoxes meldungen;
    FakeFileDialogs dateien;
    FakePrinters drucker;
    QTemporaryDir sicherungsordner;
    platform::Sicherungen sicherungen{sicherungsordner.path()};
    FakeInstanceGuard instanz;
    FakeSystemInfoTool systemInfo;
    // No adapters: the machine's own ports stay out of the tests.
    platform::Portordner portordner{sicherungsordner.filePath("by-id"), sicherungsordner.filePath("dev"),
                                    sicherungsordner.filePath("sys")};
    std::unique_ptr<shell::Programm> programm;
    // What the start showed, up to the end of the device probe; `meldungen` holds what came after.
    QList<ShownMessage> beimStart;

    explicit Lauf(FakeSettingsStore& store) : settings(store) { einrichten(); }
    // With a store of its own that holds `comport` from an earlier run.
    explicit Lauf(int comport) : settings(eigene)
    {
        einrichten();
        settings.setValue("Settings", "Comport", zeichen(comport));
    }
    void einrichten()
    {
        for (int n = 1; n <= 6; ++n)
            settings.setValue("Ports", QString("COM%1").arg(n), QString("/dev/fake%1").arg(n));
        port.present = {"/dev/fake1", "/dev/fake2"};
        port.gerätAnschließen();
    }

    // Starts the program and lets its first activation run.
    bool starten()
    {
        programm = std::make_unique<shell::Programm>(shell::Plattform{settings, port, clock, uhr, meldungen,
                                                                      dateien, drucker, sicherungen, instanz,
                                                                      systemInfo, portordner});
        const bool gestartet = programm->starten() &&
                               QTest::qWaitFor([this] { return programm->ersteAktivierungVorbei(); }, 10000);
        beimStart = std::exchange(meldungen.shown, {});
        return gestartet;
    }
    QStringList startmeldungen() const
    {
        QStringList texte;
        for (const ShownMessage& m : beimStart)
            texte.append(m.text);
        return texte;
    }
    void beenden()
    {
        fenster().close();
        programm.reset();
    }

    frm_Haupt& fenster() { return programm->hauptfenster(); }
    template <typename T = QWidget> T* control(const QString& name)
    {
        T* gefunden = fenster().findChild<T*>(name);
        if (!gefunden && programm->optionen())
            gefunden = programm->optionen()->findChild<T*>(name);
        return gefunden;
    }
    void klicken(const QString& name) { control<QAbstractButton>(name)->click(); }
    void optionenÖffnen() { fenster().findChild<QAction*>("men_Optionen")->trigger(); }
    // Enabled as far as the control itself goes, whether or not its window is locked just now.
    bool freigegeben(const QString& name)
    {
        QWidget* w = control(name);
        return w->isEnabledTo(w->window());
    }
    QString hinweisNach(const QString& name)
    {
        QWidget* w = control(name);
        QMouseEvent bewegung(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &bewegung);
        return fenster().statusBar()->currentMessage();
    }
};

} // namespace

class tst_Shell : public QObject {
    Q_OBJECT
private slots:
    void firstRunWithEmptyStore();
    void storedPortCannotBeOpened();
    void choosingMissingPort();
    void keineDisablesExactlyTheDeviceCommands();
    void cancelRestoresPortWithoutSaving();
    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void loadingStopsAtMissingComport();
    void fileLabels_data();
    void fileLabels();
    void fixedSize();
    void hints();
    void closingWhileLoggingSendsLogOffFirst();
    void closingWaitsForRunningTransfer();
    void autoScrollIsSavedAtOnce();
    void secondInstanceIsRefused();
    void printerChoiceThenOkSavesEverything();
    void noPrinterInstalled();
    void aboutBox();
    void waitKeepsWindowResponsive();
    void portTooltipsNameTheDevices();
    void closeBoxSavesAndReloads();
    void windowLockShowsTheWindowAgain();
    void realSettingsFileKeepsCharacterCodes_data();
    void realSettingsFileKeepsCharacterCodes();
};

void tst_Shell::firstRunWithEmptyStore()
{
    FakeSettingsStore store;
    Lauf lauf(store);
    QVERIFY(lauf.starten());
    QCOMPARE(lauf.programm->einstellungen().ComportNummer, 0);
    QVERIFY(lauf.programm->einstellungen().FirmwarePfad.isEmpty());
    QVERIFY(lauf.programm->einstellungen().ÜbertragungenLoggen);
    QCOMPARE(lauf.startmeldungen(), QStringList({PortWarnung, OhneGerät}));
    QCOMPARE(lauf.beimStart[0].icon, Icon::Critical);
    QCOMPARE(lauf.beimStart[0].buttons, platform::Buttons::Ok);
    QCOMPARE(lauf.beimStart[1].icon, Icon::Information);
    QVERIFY(lauf.programm->optionen()->isVisible());
    QVERIFY(lauf.control<QRadioButton>("obu_keine")->isChecked());
    QVERIFY(!lauf.fenster().isEnabled()); // locked while the settings dialog is open
    QCOMPARE(lauf.fenster().SSTab1->currentIndex(), 0);
    QCOMPARE(lauf.fenster().windowTitle(), "Welko Klingport Inbetriebnahmesoftware");
    for (const char* name : {"obu_aus", "obu_verzögert", "obu_sofort", "chk_ab_masterrufumleitung"})
        QVERIFY2(!lauf.freigegeben(name), name);

    lauf.klicken("Cmd_OK");
    QVERIFY(!lauf.programm->optionen()->isVisible());
    QVERIFY(lauf.fenster().isEnabled());
    QCOMPARE(store.value("Settings", "Comport"), zeichen(0));
}

void tst_Shell::storedPortCannotBeOpened()
{
    Lauf lauf(4);
    QVERIFY(lauf.starten());
    // The refused port first, then the probe finds no port.
    QCOMPARE(lauf.startmeldungen(), QStringList({PortWarnung, OhneGerät}));
    QCOMPARE(lauf.beimStart[0].icon, Icon::Exclamation);
    QCOMPARE(lauf.programm->einstellungen().ComportNummer, 0);
    QVERIFY(lauf.control<QRadioButton>("obu_keine")->isChecked());
    QVERIFY(!lauf.programm->optionen()->isVisible());
    for (const QString& name : Gerätebefehle)
        QVERIFY(!lauf.freigegeben(name));
}

void tst_Shell::choosingMissingPort()
{
    Lauf lauf(1);
    QVERIFY(lauf.starten());
    lauf.optionenÖffnen();
    QVERIFY(lauf.programm->optionen()->isVisible());
    QVERIFY(!lauf.fenster().isEnabled());
    QVERIFY(lauf.control<QRadioButton>("obu_COM1")->isChecked());

    lauf.klicken("obu_COM5");
    QCOMPARE(lauf.meldungen.texts(), QStringList{PortWarnung});
    QCOMPARE(lauf.meldungen.shown[0].icon, Icon::Exclamation);
    QVERIFY(lauf.control<QRadioButton>("obu_keine")->isChecked());
    QVERIFY(!lauf.control<QRadioButton>("obu_COM5")->isChecked());
    QCOMPARE(lauf.programm->einstellungen().ComportNummer, 0);
    QVERIFY(!lauf.freigegeben("cmd_Update"));
}

void tst_Shell::keineDisablesExactlyTheDeviceCommands()
{
    Lauf lauf(1);
    QVERIFY(lauf.starten());
    QStringList andere;
    for (QPushButton* knopf : lauf.fenster().findChildren<QPushButton*>())
        if (!Gerätebefehle.contains(knopf->objectName()) && lauf.freigegeben(knopf->objectName()))
            andere.append(knopf->objectName());
    QVERIFY(andere.size() >= 15);

    lauf.optionenÖffnen();
    lauf.klicken("obu_keine");
    for (const QString& name : Gerätebefehle)
        QVERIFY2(!lauf.freigegeben(name), qPrintable(name));
    for (const QString& name : andere)
        QVERIFY2(lauf.freigegeben(name), qPrintable(name));
    for (const char* name : {"Cmd_RufInformationAbholen", "cmd_TelbuchAusAnlageLoeschen", "cmd_StartLog"})
        QVERIFY(lauf.freigegeben(name));
    QCOMPARE(lauf.port.openPath, "/dev/fake1"); // "keine" leaves the port itself alone
    QVERIFY(lauf.meldungen.shown.isEmpty());
}

void tst_Shell::cancelRestoresPortWithoutSaving()
{
    Lauf lauf(1);
    QVERIFY(lauf.starten());
    const auto vorher = lauf.settings.values;
    lauf.optionenÖffnen();
    lauf.klicken("obu_COM2");
    QCOMPARE(lauf.programm->einstellungen().ComportNummer, 2);
    lauf.klicken("cmd_Cancel");
    QCOMPARE(lauf.programm->einstellungen().ComportNummer, 1);
    QCOMPARE(lauf.settings.values, vorher);
    QCOMPARE(lauf.port.openPath, "/dev/fake2"); // the newly chosen port stays open
    QVERIFY(!lauf.programm->optionen()->isVisible());
    QVERIFY(lauf.fenster().isEnabled());
}

void tst_Shell::settingsRoundTrip_data()
{
    QTest::addColumn<int>("comport");
    QTest::addColumn<QString>("firmware");
    QTest::addColumn<bool>("autoScroll");
    QTest::addColumn<QString>("drucker");
    QTest::newRow("COM1, auto-scroll on") << 1 << "/home/i/Firmware V2.tsk" << true << "Keller";
    QTest::newRow("COM2, auto-scroll off") << 2 << "" << false << "";
    QTest::newRow("no port") << 0 << "C:\\Klingport\\fw.tsk" << true << "Büro";
}

void tst_Shell::settingsRoundTrip()
{
    QFETCH(int, comport);
    QFETCH(bool, autoScroll);
    QFETCH(QString, firmware);
    QFETCH(QString, drucker);
    FakeSettingsStore store;
    {
        Lauf erster(store);
        erster.drucker.names = {"Büro", "Keller"};
        erster.drucker.setCurrent("Keller");
        QVERIFY(erster.starten());
        erster.programm->einstellungen().ComportNummer = comport;
        erster.programm->einstellungen().FirmwarePfad = firmware;
        erster.programm->einstellungen().BustreiberPfad = firmware + ".hex";
        erster.programm->einstellungen().Druckername = drucker;
        erster.control<QCheckBox>("chk_AutoSroll")->setChecked(autoScroll);
        erster.beenden();
    }
    QCOMPARE(store.value("Settings", "Comport"), zeichen(comport));
    QCOMPARE(store.value("Settings", "LogAutoScroll"), zeichen(autoScroll ? 1 : 0));

    Lauf zweiter(store);
    zweiter.drucker.names = {"Büro", "Keller"};
    zweiter.drucker.setCurrent("Keller");
    QVERIFY(zweiter.starten());
    QCOMPARE(zweiter.programm->einstellungen().FirmwarePfad, firmware);
    QCOMPARE(zweiter.programm->einstellungen().BustreiberPfad, firmware + ".hex");
    QCOMPARE(zweiter.programm->einstellungen().Druckername, drucker);
    QCOMPARE(zweiter.control<QCheckBox>("chk_AutoSroll")->isChecked(), autoScroll);
    QCOMPARE(zweiter.control<QLabel>("lab_Firmwaredateiname")->text(), firmware);
    QCOMPARE(zweiter.programm->einstellungen().ComportNummer, comport);
    if (!drucker.isEmpty())
        QCOMPARE(zweiter.drucker.current(), drucker);
    // The stored port is opened, the device read and its commands enabled.
    QCOMPARE(zweiter.port.openPath, comport ? QString("/dev/fake%1").arg(comport) : QString());
    if (comport)
        QCOMPARE(zweiter.startmeldungen(), QStringList{"Einstellungen wurden vom Klingport geladen!"});
    for (const QString& name : Gerätebefehle)
        QCOMPARE(zweiter.freigegeben(name), comport != 0);
}

void tst_Shell::loadingStopsAtMissingComport()
{
    FakeSettingsStore store;
    store.setValue("Settings", "Firmwaredateiname", "/f.tsk");
    store.setValue("Settings", "LogAutoScroll", zeichen(1));
    Lauf lauf(store);
    QVERIFY(lauf.starten());
    QVERIFY(lauf.programm->einstellungen().FirmwarePfad.isEmpty());
    QVERIFY(!lauf.control<QCheckBox>("chk_AutoSroll")->isChecked()); // keeps its design state
    QVERIFY(lauf.control<QLabel>("lab_Firmwaredateiname")->text().isEmpty());
}

void tst_Shell::fileLabels_data()
{
    QTest::addColumn<int>("länge");
    QTest::addColumn<bool>("gekürzt");
    QTest::newRow("92") << 92 << false;
    QTest::newRow("93") << 93 << false;
    QTest::newRow("94") << 94 << true;
    QTest::newRow("300") << 300 << true;
}

void tst_Shell::fileLabels()
{
    QFETCH(int, länge);
    QFETCH(bool, gekürzt);
    QString pfad;
    for (int i = 0; i < länge; ++i)
        pfad += QChar('a' + i % 26);
    Lauf lauf(1);
    lauf.settings.setValue("Settings", "Bustreiberdateiname", pfad);
    QVERIFY(lauf.starten());
    const QString text = lauf.control<QLabel>("lab_Bustreiberdateiname")->text();
    QCOMPARE(text, gekürzt ? "..." + pfad.right(90) : pfad);
    QVERIFY(text.size() <= 93);
}

void tst_Shell::fixedSize()
{
    Lauf lauf(1);
    QVERIFY(lauf.starten());
    for (const QSize größe : {QSize(663, 453), QSize(900, 700), QSize(300, 200)}) {
        lauf.fenster().resize(größe);
        QCOMPARE(lauf.fenster().size(), QSize(663, 453));
    }
    QVERIFY(!(lauf.fenster().windowFlags() & Qt::WindowMaximizeButtonHint));
    lauf.fenster().showMinimized();
    QVERIFY(lauf.fenster().isMinimized());
}

void tst_Shell::hints()
{
    Lauf lauf(1);
    QVERIFY(lauf.starten());
    QCOMPARE(lauf.hinweisNach("cmd_KonfigAusAnlageLaden"), "Konfiguration aus dem Klingport laden");
    QCOMPARE(lauf.hinweisNach("Frame1"), "Konfiguration aus dem Klingport laden"); // Frame1 keeps it
    QCOMPARE(lauf.hinweisNach("Frame6"), "Konfiguration aus dem Klingport laden");
    QCOMPARE(lauf.hinweisNach("obu_sofort"), "Dirkete Weiterleitung an die Masterrufumleitungsnummer");
    QCOMPARE(lauf.hinweisNach("Frame7"), ""); // Frame7 clears it
    QCOMPARE(lauf.hinweisNach("cmd_TelbuchDrucken"), "Telefonbuch drucken");
    QCOMPARE(lauf.hinweisNach("MSFlexGrid1"), "Telefonbuch drucken");
    QCOMPARE(lauf.hinweisNach("Frame3"), "");
    QCOMPARE(lauf.hinweisNach("cmd_BustreiberdateiÄndern"), "Auswahl der Bustreiberdatei");
    QCOMPARE(lauf.hinweisNach("fra_Firmwarestand"), "");
    QCOMPARE(lauf.hinweisNach("Cmd_RufInformationAbholen"),
             "Zuordnung der eingelernten Ruftaste zum markierten Telefonbucheintrag");
    QCOMPARE(lauf.hinweisNach("Frame2"), "");
    QCOMPARE(lauf.hinweisNach("cmd_LoggDrucken"), "Drucken des Logfensters");
    lauf.fenster().SSTab1->setCurrentIndex(2);
    QCOMPARE(lauf.hinweisNach("cmd_StartLog"), "Starten der Logfunktion");
    QVERIFY(lauf.control<QCheckBox>("chk_AutoSroll")->isChecked()); // nothing stored: checked
    QCOMPARE(lauf.hinweisNach("chk_AutoSroll"), "Auto-Scroll für die Logfunktion deaktivieren");
    lauf.control<QCheckBox>("chk_AutoSroll")->setChecked(false);
    QCOMPARE(lauf.hinweisNach("chk_AutoSroll"), "Auto-Scroll für die Logfunktion aktivieren");
    lauf.control<QPushButton>("cmd_StartLog")->setText("Stop");
    QCOMPARE(lauf.hinweisNach("cmd_StartLog"), "Stoppen der Logfunktion");
    QCOMPARE(lauf.hinweisNach("txt_Log"), "Stoppen der Logfunktion");
    QCOMPARE(lauf.hinweisNach("Frame5"), "");
    lauf.hinweisNach("cmd_DeleteLog");
    QCOMPARE(lauf.hinweisNach("SSTab1"), "");

    // Some hints follow the connection kind.
    lauf.control<QRadioButton>("obu_Amtsanschluß")->setChecked(true);
    QCOMPARE(lauf.hinweisNach("lab_LokaleRufzeit"),
             "maximale Rufzeit zum lokalen Telefon über die TLN-Klemmen");
    QCOMPARE(lauf.hinweisNach("lab_ExterneRufzeit"),
             "maximale Rufzeit zum externen Teilnehmer über die AMT-Klemmen");
    lauf.control<QRadioButton>("obu_Nebenstellenanschluß")->setChecked(true);
    QCOMPARE(lauf.hinweisNach("lab_LokaleRufzeit"), "im Nebenstellenbetrieb nicht wirksam");
    QCOMPARE(lauf.hinweisNach("lab_ExterneRufzeit"),
             "maximale Rufzeit zur Telefonanlage bzw. zum externen Teilnehmer über die AMT-Klemmen");
}

void tst_Shell::closingWhileLoggingSendsLogOffFirst()
{
    // The store tells what the port had seen when the settings were saved on unloading.
    struct Beobachter : FakeSettingsStore {
        FakeSerialPort* port = nullptr;
        QList<QByteArray> geschriebenBeimSpeichern;
        void setValue(const QString& g, const QString& k, const QString& v) override
        {
            if (port && g == "Settings" && k == "Comport")
                geschriebenBeimSpeichern = port->writes;
            FakeSettingsStore::setValue(g, k, v);
        }
    } store;
    store.setValue("Settings", "Comport", zeichen(1));
    Lauf lauf(store);
    store.port = &lauf.port;
    QVERIFY(lauf.starten());
    QCOMPARE(lauf.programm->kommunikation()->LoggenEin(), kommunikation::Ergebnis::Erfolg);
    QCOMPARE(lauf.port.writes.last(), QByteArray("t\r"));
    lauf.fenster().close();
    QCOMPARE(store.geschriebenBeimSpeichern.last(), QByteArray("n\r"));
    QVERIFY(!lauf.port.isOpen()); // the link's window has gone and closed the port

    // Without logging nothing is sent at the end.
    Lauf ruhig(store);
    store.port = &ruhig.port;
    QVERIFY(ruhig.starten());
    const qsizetype nachDemStart = ruhig.port.writes.size();
    ruhig.fenster().close();
    QCOMPARE(ruhig.port.writes.size(), nachDemStart);
}

void tst_Shell::closingWaitsForRunningTransfer()
{
    Lauf lauf(1);
    QVERIFY(lauf.starten());
    bool geschlossen = true;
    QTimer::singleShot(300, [&] { geschlossen = lauf.fenster().close(); });
    lauf.klicken("cmd_KonfigAusAnlageLaden");
    QVERIFY(!geschlossen);
    QCOMPARE(lauf.meldungen.texts(), QStringList{"Konfiguration erfolgreich ausgelesen!"});
    QVERIFY(lauf.port.isOpen());
    QVERIFY(lauf.fenster().close());
    QVERIFY(!lauf.port.isOpen());
}

void tst_Shell::autoScrollIsSavedAtOnce()
{
    Lauf lauf(0);
    QVERIFY(lauf.starten());
    lauf.klicken("Cmd_OK"); // no port: the settings dialog came up first
    auto* schalter = lauf.control<QCheckBox>("chk_AutoSroll");
    QVERIFY(schalter->isChecked());
    schalter->click();
    QCOMPARE(lauf.settings.value("Settings", "LogAutoScroll"), zeichen(0));
    schalter->click();
    QCOMPARE(lauf.settings.value("Settings", "LogAutoScroll"), zeichen(1));
}

void tst_Shell::secondInstanceIsRefused()
{
    Lauf lauf(1);
    lauf.instanz.free = false;
    QVERIFY(!lauf.starten());
    QCOMPARE(lauf.startmeldungen(), QStringList{"Programm läuft bereits!"});
    QCOMPARE(lauf.beimStart[0].icon, Icon::Exclamation);
    QCOMPARE(lauf.beimStart[0].buttons, platform::Buttons::Ok);
    QVERIFY(lauf.port.opened.isEmpty());
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(!w->isVisible());
}

void tst_Shell::printerChoiceThenOkSavesEverything()
{
    Lauf lauf(1);
    lauf.settings.setValue("Settings", "Drucker", "Gone");
    lauf.settings.setValue("Settings", "Firmwaredateiname", "/firmware/k.tsk");
    lauf.settings.setValue("Settings", "Bustreiberdateiname", "/firmware/bus.hex");
    lauf.settings.setValue("Settings", "LogAutoScroll", zeichen(0));
    lauf.drucker.names = {"Laser"};
    lauf.drucker.setCurrent("Laser");
    QVERIFY(lauf.starten());
    lauf.optionenÖffnen();
    QCOMPARE(lauf.control<QLabel>("lab_Drucker")->text(), "Laser"); // the stored one is gone: the default
    lauf.klicken("cmd_DruckerÄndern");
    auto* auswahl = lauf.programm->optionen()->findChild<QWidget*>("frm_Drucker");
    QVERIFY(auswahl && auswahl->isVisible());
    QCOMPARE(auswahl->windowTitle(), "Drucker auswählen");
    auto* liste = auswahl->findChild<QComboBox*>("Combo_drucker");
    QCOMPARE(liste->accessibleName(), "Drucker");
    QCOMPARE(liste->count(), 1);
    QCOMPARE(liste->currentText(), "Laser");

    lauf.drucker.names = {"Laser", "Farbe"};
    lauf.klicken("cmd_DruckerÄndern");
    auswahl = lauf.programm->optionen()->findChild<QWidget*>("frm_Drucker");
    liste = auswahl->findChild<QComboBox*>("Combo_drucker");
    liste->setCurrentIndex(1);
    QTest::mouseClick(auswahl->findChild<QPushButton*>("cmd_OK"), Qt::LeftButton);
    QCOMPARE(lauf.drucker.current(), "Farbe");
    QCOMPARE(lauf.control<QLabel>("lab_Drucker")->text(), "Farbe");
    QCOMPARE(lauf.programm->einstellungen().Druckername, "Gone"); // only OK of the settings takes it

    lauf.klicken("cmd_Cancel");
    QCOMPARE(lauf.drucker.current(), "Farbe"); // "Gone" is not installed, so cancelling changes nothing
    lauf.optionenÖffnen();
    lauf.klicken("obu_COM2");
    lauf.klicken("Cmd_OK");
    QCOMPARE(lauf.settings.value("Settings", "Comport"), zeichen(2));
    QCOMPARE(lauf.settings.value("Settings", "Drucker"), "Farbe");
    QCOMPARE(lauf.settings.value("Settings", "Firmwaredateiname"), "/firmware/k.tsk");
    QCOMPARE(lauf.settings.value("Settings", "Bustreiberdateiname"), "/firmware/bus.hex");
    QCOMPARE(lauf.settings.value("Settings", "LogAutoScroll"), zeichen(0));
    QCOMPARE(lauf.programm->einstellungen().Druckername, "Farbe");
}

void tst_Shell::noPrinterInstalled()
{
    Lauf lauf(1);
    lauf.settings.setValue("Settings", "Drucker", "Alt");
    QVERIFY(lauf.starten());
    lauf.optionenÖffnen();
    QCOMPARE(lauf.control<QLabel>("lab_Drucker")->text(), "kein Drucker installiert");
    lauf.klicken("cmd_DruckerÄndern");
    QVERIFY(!lauf.programm->optionen()->findChild<QWidget*>("frm_Drucker"));
    lauf.klicken("Cmd_OK");
    QCOMPARE(lauf.settings.value("Settings", "Drucker"), "");
}

void tst_Shell::aboutBox()
{
    Lauf lauf(1);
    QVERIFY(lauf.starten());
    lauf.fenster().findChild<QAction*>("Info")->trigger();
    frmAbout* about = lauf.programm->about();
    QVERIFY(about && about->isVisible());
    QCOMPARE(about->windowTitle(), "Info zu Welko Klingport Inbetriebnahmesoftware");
    QCOMPARE(about->findChild<QLabel*>("lblTitle")->text(), "Welko Klingport Inbetriebnahmesoftware");
    QCOMPARE(about->findChild<QLabel*>("lblVersion")->text(), "Version " KLINGPORT_VERSION);
    QVERIFY(QString(KLINGPORT_VERSION).count('.') == 2);
    QCOMPARE(about->findChild<QPushButton*>("cmdSysInfo")->text(), "&Systeminfo...");
    QTest::mouseClick(about->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    QCOMPARE(lauf.systemInfo.starts, 1);
    QCOMPARE(lauf.meldungen.texts(), QStringList{"Systeminformationen sind momentan nicht verfügbar"});
    QCOMPARE(lauf.meldungen.shown[0].icon, Icon::None);
    QVERIFY(about->isVisible());
    lauf.systemInfo.available = true;
    QTest::mouseClick(about->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    QCOMPARE(lauf.meldungen.shown.size(), 1);
    QTest::mouseClick(about->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QTRY_VERIFY(!lauf.programm->about());
}

void tst_Shell::waitKeepsWindowResponsive()
{
    Lauf lauf(1);
    QVERIFY(lauf.starten());
    bool zwischendurch = false;
    QTimer::singleShot(50, [&] { zwischendurch = true; });
    QElapsedTimer uhr;
    uhr.start();
    lauf.fenster().wait(300);
    QVERIFY(uhr.elapsed() >= 299);
    QVERIFY(zwischendurch);
}

void tst_Shell::portTooltipsNameTheDevices()
{
    Lauf lauf(1);
    lauf.settings.setValue("Ports", "COM3", "/dev/ttyUSB0");
    lauf.settings.values.remove("Ports/COM4");
    QVERIFY(lauf.starten());
    QCOMPARE(lauf.control("obu_COM3")->toolTip(), "/dev/ttyUSB0");
    QCOMPARE(lauf.control("obu_COM4")->toolTip(), "/dev/ttyS3");
    QCOMPARE(lauf.control("obu_COM1")->toolTip(), "/dev/fake1");
}

void tst_Shell::closeBoxSavesAndReloads()
{
    Lauf lauf(1);
    QVERIFY(lauf.starten());
    lauf.optionenÖffnen();
    lauf.klicken("obu_keine");
    lauf.programm->optionen()->close();
    QCOMPARE(lauf.settings.value("Settings", "Comport"), zeichen(0)); // the close box saves, like OK
    QVERIFY(lauf.fenster().isEnabled());
    QTRY_VERIFY(!lauf.programm->optionen()); // and unloads the dialog

    // Loaded anew, the dialog preselects the port again: none is chosen, so it warns and shows itself.
    lauf.optionenÖffnen();
    QCOMPARE(lauf.meldungen.texts(), QStringList{PortWarnung});
    QCOMPARE(lauf.meldungen.shown[0].icon, Icon::Critical);
    QVERIFY(lauf.programm->optionen()->isVisible());
    QCOMPARE(lauf.programm->optionen()->AlterComport, 0);
}

void tst_Shell::windowLockShowsTheWindowAgain()
{
    // The lock around each outcome of a command is checked with the commands; here a hidden window.
    QWidget fenster;
    {
        Fenstersperre sperre(fenster);
        QVERIFY(!fenster.isEnabled());
    }
    QVERIFY(fenster.isEnabled());
    QVERIFY(fenster.isVisible());
}

void tst_Shell::realSettingsFileKeepsCharacterCodes_data()
{
    QTest::addColumn<int>("comport");
    QTest::addColumn<bool>("autoScroll");
    QTest::newRow("none, off") << 0 << false;
    QTest::newRow("COM1, on") << 1 << true;
    QTest::newRow("COM6, off") << 6 << false;
}

void tst_Shell::realSettingsFileKeepsCharacterCodes()
{
    QFETCH(int, comport);
    QFETCH(bool, autoScroll);
    QTemporaryDir dir;
    shell::Programmeinstellungen geschrieben;
    geschrieben.ComportNummer = comport;
    geschrieben.FirmwarePfad = "/home/b/Firmware Ä.tsk";
    geschrieben.Druckername = "HP LaserJet";
    {
        auto store = platform::QtSettingsStore::atFile(dir.filePath("k.conf"));
        shell::EinstellungenSpeichern(store, geschrieben, autoScroll);
    }
    auto store = platform::QtSettingsStore::atFile(dir.filePath("k.conf"));
    QCOMPARE(store.value("Settings", "Comport"), zeichen(comport));
    shell::Programmeinstellungen gelesen;
    const shell::Ladeergebnis ergebnis = shell::EinstellungenLaden(store, gelesen);
    QVERIFY(ergebnis.vollständig);
    QCOMPARE(ergebnis.logAutoScroll, autoScroll);
    QCOMPARE(gelesen.ComportNummer, comport);
    QCOMPARE(gelesen.FirmwarePfad, geschrieben.FirmwarePfad);
    QCOMPARE(gelesen.Druckername, geschrieben.Druckername);
}

QTEST_MAIN(tst_Shell)
#include "tst_shell.moc"
