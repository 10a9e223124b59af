// The whole program on its real serial port against klingport-sim: start-up, the settings dialog,
// closing, the printer choice, the about box and the hints.

#include "SimGeraet.h"
#include "Sitzung.h"
#include "frmAbout.h"
#include "frm_Kommunikation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>

using platform::Icon;

Q_DECLARE_METATYPE(platform::Icon)

namespace {

const QString PortWarnung =
    QStringLiteral("                  Achtung!\r\nCOM-Port nicht vorhanden oder belegt!\r\n"
                   "Bitte wählen Sie einen anderen Port!");
const QString OhneGerät =
    QStringLiteral("Da kein Klingport angeschlossen ist wurden die Standardparameter geladen!");
const QString Geladen = QStringLiteral("Einstellungen wurden vom Klingport geladen!");
const QStringList Gerätebefehle = {"cmd_Bustreiberupdate",        "cmd_Update",
                                   "cmd_FirmwareAuslesen",        "cmd_KonfigAusAnlageLaden",
                                   "cmd_KonfigInAnlageSpeichern", "cmd_TelbuchAusAnlageLaden",
                                   "cmd_TelbuchInAnlageSpeichern"};

Konfiguration mitPin(const QString& pin)
{
    Konfiguration k;
    k.PIN = pin;
    return k;
}

struct Geräte {
    SimGerät eins{{"--verbose"}};
    SimGerät zwei{{}, musterabbild(mitPin("2222"), {})};
};

// COM1 and COM2 are two devices, told apart by their images; COM5 is a port that is not there.
struct Lauf : Geräte, Sitzung {
    explicit Lauf(int comport = -1) : Sitzung(eins.leitung(), comport)
    {
        settings.setValue("Ports", "COM2", zwei.leitung());
        settings.setValue("Ports", "COM5", ordner.filePath("fehlt"));
    }
    // The device the program talks to: 1 or 2, 0 with the port closed.
    int offen()
    {
        frm_Kommunikation* link = programm.kommunikation();
        if (!link->portOffen())
            return 0;
        const QByteArray bild = link->KonfigurationLaden().daten;
        return bild == eins.abbild() ? 1 : bild == zwei.abbild() ? 2 : -1;
    }
    // What the device was told to do, one request a line.
    QString anfragen() { return eins.sim->stderrText(); }
    void optionenÖffnen() { fenster().findChild<QAction*>("men_Optionen")->trigger(); }
    // Enabled as far as the control itself goes, whether or not its window is locked just now.
    bool freigegeben(const QString& name) { return control(name)->isEnabledTo(control(name)->window()); }
    QStringList freigegebeneKnöpfe()
    {
        QStringList namen;
        for (QPushButton* knopf : fenster().findChildren<QPushButton*>())
            if (knopf->isEnabledTo(knopf->window()))
                namen.append(knopf->objectName());
        return namen;
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
    void start_data()
    {
        QTest::addColumn<int>("comport");
        QTest::addColumn<bool>("frei"); // no other instance runs
        QTest::addColumn<QStringList>("meldungen");
        QTest::addColumn<Icon>("symbol");
        QTest::addColumn<int>("offen");
        QTest::newRow("first run") << -1 << true << QStringList{PortWarnung, OhneGerät} << Icon::Critical
                                   << 0;
        QTest::newRow("stored port missing")
            << 5 << true << QStringList{PortWarnung, OhneGerät} << Icon::Exclamation << 0;
        QTest::newRow("COM2") << 2 << true << QStringList{Geladen} << Icon::Information << 2;
        QTest::newRow("second instance")
            << 1 << false << QStringList{"Programm läuft bereits!"} << Icon::Exclamation << 0;
    }
    void start()
    {
        QFETCH(int, comport);
        QFETCH(bool, frei);
        Lauf lauf(comport);
        lauf.settings.setValue("Settings", "Firmwaredateiname", "/f.tsk"); // loading stops at a missing port
        lauf.instanz.free = frei;
        QCOMPARE(lauf.starten(), frei);
        QTEST(lauf.meldungen.texts(), "meldungen");
        QTEST(lauf.meldungen.shown[0].icon, "symbol");
        if (!frei) {
            QCOMPARE(lauf.anfragen(), "");
            for (QWidget* w : QApplication::topLevelWidgets())
                QVERIFY(!w->isVisible());
            return;
        }
        QTEST(lauf.offen(), "offen");
        const bool verbunden = comport == 2;
        QCOMPARE(lauf.programm.einstellungen().ComportNummer, verbunden ? comport : 0);
        QCOMPARE(lauf.control<QRadioButton>("obu_keine")->isChecked(), !verbunden);
        for (const QString& name : Gerätebefehle)
            QCOMPARE(lauf.freigegeben(name), verbunden);
        QCOMPARE(lauf.control<QLabel>("lab_Firmwaredateiname")->text(), comport < 0 ? "" : "/f.tsk");
        QCOMPARE(lauf.control<QCheckBox>("chk_AutoSroll")->isChecked(), comport >= 0); // else as designed

        // Without a stored port the settings dialog comes up and holds the window until OK.
        QCOMPARE(lauf.programm.optionen()->isVisible(), comport < 0);
        QCOMPARE(lauf.fenster().isEnabled(), comport >= 0);
        lauf.klicken("Cmd_OK");
        QVERIFY(lauf.fenster().isEnabled());
        QCOMPARE(lauf.settings.value("Settings", "Comport"),
                 zeichen(lauf.programm.einstellungen().ComportNummer));
    }

    // A port chosen in the settings dialog is opened at once; OK and the close box keep it, Cancel
    // keeps it open but stores nothing.
    void optionen_data()
    {
        QTest::addColumn<QString>("wahl");
        QTest::addColumn<QString>("ende"); // empty: the close box
        QTest::addColumn<QStringList>("meldungen");
        QTest::addColumn<int>("nummer");
        QTest::addColumn<int>("offen");
        QTest::newRow("COM2, OK") << "obu_COM2"
                                  << "Cmd_OK" << QStringList{} << 2 << 2;
        QTest::newRow("COM2, cancel") << "obu_COM2"
                                      << "cmd_Cancel" << QStringList{} << 1 << 2;
        QTest::newRow("missing COM5") << "obu_COM5"
                                      << "Cmd_OK" << QStringList{PortWarnung} << 0 << 0;
        QTest::newRow("none, close box") << "obu_keine"
                                         << "" << QStringList{} << 0 << 1;
    }
    void optionen()
    {
        QFETCH(QString, ende);
        QFETCH(int, nummer);
        Lauf lauf(1);
        QVERIFY(lauf.starten());
        lauf.meldungen.shown.clear();
        const QStringList andere = lauf.freigegebeneKnöpfe();
        const auto vorher = lauf.settings.values;
        lauf.optionenÖffnen();
        QVERIFY(lauf.programm.optionen()->isVisible() && !lauf.fenster().isEnabled());
        QVERIFY(lauf.control<QRadioButton>("obu_COM1")->isChecked());
        QFETCH(QString, wahl);
        lauf.klicken(wahl);
        QTEST(lauf.meldungen.texts(), "meldungen");
        if (!lauf.meldungen.shown.isEmpty())
            QCOMPARE(lauf.meldungen.shown[0].icon, Icon::Exclamation);
        if (ende.isEmpty())
            lauf.programm.optionen()->close();
        else
            lauf.klicken(ende);
        QVERIFY(lauf.fenster().isEnabled());
        QCOMPARE(lauf.programm.einstellungen().ComportNummer, nummer);
        QCOMPARE(lauf.settings.value("Settings", "Comport"), zeichen(nummer));
        if (ende == "cmd_Cancel")
            QCOMPARE(lauf.settings.values, vorher);
        QTEST(lauf.offen(), "offen");
        // Without a port exactly the device commands are disabled.
        QStringList ohne = andere;
        if (nummer == 0)
            ohne.removeIf([](const QString& name) { return Gerätebefehle.contains(name); });
        QCOMPARE(lauf.freigegebeneKnöpfe(), ohne);

        if (ende.isEmpty()) { // the close box unloads the dialog; loaded anew, it warns again
            QTRY_VERIFY(!lauf.programm.optionen());
            lauf.optionenÖffnen();
            QCOMPARE(lauf.meldungen.texts(), QStringList{PortWarnung});
            QCOMPARE(lauf.meldungen.shown[0].icon, Icon::Critical);
            QVERIFY(lauf.programm.optionen()->isVisible());
        }
    }

    // What one run stores, the next one shows, with the port opened and the device read.
    void einstellungen_data()
    {
        QTest::addColumn<int>("comport");
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<bool>("autoScroll");
        QTest::addColumn<QString>("drucker");
        QTest::newRow("COM2, auto-scroll off") << 2 << "" << false << "";
        QTest::newRow("no port, long name")
            << 0 << "C:\\Klingport\\" + QString(90, 'x') + ".tsk" << true << "Büro";
    }
    void einstellungen()
    {
        QFETCH(int, comport);
        QFETCH(QString, firmware);
        QFETCH(bool, autoScroll);
        QFETCH(QString, drucker);
        Lauf zweiter;
        {
            Lauf erster(1);
            QVERIFY(erster.starten());
            erster.programm.einstellungen() = {comport, firmware, firmware + ".hex", drucker, true};
            if (!autoScroll) { // saved at once
                erster.klicken("chk_AutoSroll");
                QCOMPARE(erster.settings.value("Settings", "LogAutoScroll"), zeichen(0));
            }
            erster.fenster().close();
            for (const auto& [schlüssel, wert] : erster.settings.values.asKeyValueRange())
                if (schlüssel.startsWith("Settings/"))
                    zweiter.settings.values.insert(schlüssel, wert);
        }
        zweiter.drucker.names = {"Büro", "Keller"};
        zweiter.drucker.setCurrent("Keller");
        QVERIFY(zweiter.starten());
        QCOMPARE(zweiter.programm.einstellungen().Druckername, drucker);
        QCOMPARE(zweiter.drucker.current(), drucker.isEmpty() ? "Keller" : drucker);
        QCOMPARE(zweiter.control<QCheckBox>("chk_AutoSroll")->isChecked(), autoScroll);
        QCOMPARE(zweiter.control<QLabel>("lab_Firmwaredateiname")->text(),
                 firmware.size() > 93 ? "..." + firmware.right(90) : firmware);
        QCOMPARE(zweiter.meldungen.texts().contains(Geladen), comport != 0);
        QCOMPARE(zweiter.freigegeben("cmd_Update"), comport != 0);
        QCOMPARE(zweiter.offen(), comport);
    }

    // Closing waits for a running transfer, and ends logging before the port is closed.
    void closing()
    {
        Lauf lauf(1);
        QVERIFY(lauf.starten());
        bool geschlossen = true;
        QTimer::singleShot(0, [&] { geschlossen = lauf.fenster().close(); });
        lauf.klicken("cmd_KonfigAusAnlageLaden");
        QVERIFY(!geschlossen);
        QCOMPARE(lauf.meldungen.texts().last(), "Konfiguration erfolgreich ausgelesen!");
        lauf.klicken("cmd_StartLog");
        QTRY_VERIFY(lauf.anfragen().trimmed().endsWith("logging on"));
        QVERIFY(lauf.fenster().close());
        QVERIFY(!lauf.port.isOpen());
        QTRY_VERIFY(lauf.anfragen().trimmed().endsWith("logging off"));
    }

    // The printer is chosen in its own dialog and taken by OK of the settings; a stored printer
    // that has gone gives way to the current one.
    void drucker()
    {
        Lauf lauf(1);
        lauf.settings.setValue("Settings", "Drucker", "Gone");
        lauf.settings.setValue("Settings", "LogAutoScroll", zeichen(0));
        lauf.drucker.names = {"Laser", "Farbe"};
        lauf.drucker.setCurrent("Laser");
        QVERIFY(lauf.starten());
        lauf.optionenÖffnen();
        QCOMPARE(lauf.control<QLabel>("lab_Drucker")->text(), "Laser");
        const auto auswahl = [&] { return lauf.programm.optionen()->findChild<QWidget*>("frm_Drucker"); };
        lauf.klicken("cmd_DruckerÄndern");
        QVERIFY(auswahl() && auswahl()->isVisible());
        QCOMPARE(auswahl()->windowTitle(), "Drucker auswählen");
        auto* liste = auswahl()->findChild<QComboBox*>("Combo_drucker");
        QCOMPARE(liste->currentText(), "Laser");
        liste->setCurrentIndex(1);
        QTest::mouseClick(auswahl()->findChild<QPushButton*>("cmd_OK"), Qt::LeftButton);
        QCOMPARE(lauf.drucker.current(), "Farbe");
        QCOMPARE(lauf.control<QLabel>("lab_Drucker")->text(), "Farbe");
        QCOMPARE(lauf.programm.einstellungen().Druckername, "Gone");
        lauf.klicken("cmd_Cancel");
        QCOMPARE(lauf.drucker.current(), "Farbe"); // "Gone" is not installed
        lauf.optionenÖffnen();
        lauf.klicken("Cmd_OK");
        QCOMPARE(lauf.settings.value("Settings", "Drucker"), "Farbe");
        QCOMPARE(lauf.settings.value("Settings", "LogAutoScroll"), zeichen(0));

        lauf.drucker.names.clear();
        lauf.optionenÖffnen();
        QCOMPARE(lauf.control<QLabel>("lab_Drucker")->text(), "kein Drucker installiert");
        lauf.klicken("cmd_DruckerÄndern");
        QVERIFY(!auswahl() || !auswahl()->isVisible());
        lauf.klicken("Cmd_OK");
        QCOMPARE(lauf.settings.value("Settings", "Drucker"), "");
    }

    void aboutBox()
    {
        Lauf lauf(1);
        QVERIFY(lauf.starten());
        lauf.meldungen.shown.clear();
        lauf.fenster().findChild<QAction*>("Info")->trigger();
        frmAbout* about = lauf.programm.about();
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->windowTitle(), "Info zu Welko Klingport Inbetriebnahmesoftware");
        QCOMPARE(about->findChild<QLabel*>("lblVersion")->text(), "Version " KLINGPORT_VERSION);
        QTest::mouseClick(about->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(lauf.meldungen.texts(), QStringList{"Systeminformationen sind momentan nicht verfügbar"});
        QCOMPARE(lauf.meldungen.shown[0].icon, Icon::None);
        lauf.systemInfo.available = true;
        QTest::mouseClick(about->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(lauf.systemInfo.starts, 2);
        QCOMPARE(lauf.meldungen.shown.size(), 1);
        QTest::mouseClick(about->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QTRY_VERIFY(!lauf.programm.about());
    }

    // A control shows its hint; a frame keeps the last one or clears it; some follow a state.
    void hints()
    {
        Lauf lauf(1);
        QVERIFY(lauf.starten());
        const auto hinweise = [&](const QList<std::pair<QString, QString>>& erwartet) {
            for (const auto& [name, text] : erwartet)
                QCOMPARE(lauf.hinweisNach(name), text);
        };
        hinweise({{"cmd_KonfigAusAnlageLaden", "Konfiguration aus dem Klingport laden"},
                  {"Frame1", "Konfiguration aus dem Klingport laden"},
                  {"obu_sofort", "Dirkete Weiterleitung an die Masterrufumleitungsnummer"},
                  {"Frame7", ""},
                  {"chk_AutoSroll", "Auto-Scroll für die Logfunktion deaktivieren"}});
        lauf.control<QCheckBox>("chk_AutoSroll")->setChecked(false);
        lauf.control<QPushButton>("cmd_StartLog")->setText("Stop");
        lauf.control<QRadioButton>("obu_Amtsanschluß")->setChecked(true);
        hinweise({{"chk_AutoSroll", "Auto-Scroll für die Logfunktion aktivieren"},
                  {"cmd_StartLog", "Stoppen der Logfunktion"},
                  {"lab_LokaleRufzeit", "maximale Rufzeit zum lokalen Telefon über die TLN-Klemmen"}});
        lauf.control<QRadioButton>("obu_Nebenstellenanschluß")->setChecked(true);
        hinweise({{"lab_LokaleRufzeit", "im Nebenstellenbetrieb nicht wirksam"},
                  {"lab_ExterneRufzeit", "maximale Rufzeit zur Telefonanlage bzw. zum externen Teilnehmer "
                                         "über die AMT-Klemmen"}});
    }
};

QTEST_MAIN(tst_Shell)
#include "tst_shell.moc"
