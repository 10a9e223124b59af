// The whole program on its real serial port against klingport-sim: start-up, the settings dialog,
// closing, a pulled adapter, the printer choice, the hints and the names a screen reader finds; and
// two real starts of it.

#include "SimGeraet.h"
#include "Sitzung.h"
#include "frm_Kommunikation.h"
#include "frm_Sicherungen.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <csignal>

using platform::Icon;

Q_DECLARE_METATYPE(platform::Icon)

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

struct Geräte {
    SimGerät eins{{"--verbose"}};
    SimGerät zwei{{}, musterabbild({.PIN = "2222"}, {})};
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
    QString hinweisNach(const QString& name)
    {
        QWidget* w = control(name);
        QMouseEvent bewegung(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &bewegung);
        return fenster().statusBar()->currentMessage();
    }
};

// Whether the program's diagnostic output names TEXT within ten seconds.
bool meldet(QProcess& programm, const QString& text)
{
    QString gelesen;
    const QDeadlineTimer frist(10000);
    while (!gelesen.contains(text) && !frist.hasExpired()) {
        programm.waitForReadyRead(100);
        gelesen += QString::fromUtf8(programm.readAll());
    }
    return gelesen.contains(text) || (qWarning().noquote() << gelesen, false);
}

} // namespace

class tst_Shell : public QObject {
    Q_OBJECT
private slots:
    // What was stored is shown and its port opened; loading stops where no port was ever stored.
    // Without a usable stored choice the settings dialog comes up and holds the window until OK.
    // A second instance shows nothing but its refusal and leaves the device alone.
    void start_data()
    {
        QTest::addColumn<int>("comport");
        QTest::addColumn<bool>("frei"); // no other instance runs
        QTest::addColumn<QStringList>("meldungen");
        QTest::addColumn<Icon>("symbol");
        const QStringList ohne = {PortWarnung, OhneGerät};
        QTest::newRow("first run") << -1 << true << ohne << Icon::Critical;
        QTest::newRow("none stored") << 0 << true << ohne << Icon::Critical;
        QTest::newRow("stored port missing") << 5 << true << ohne << Icon::Exclamation;
        QTest::newRow("COM2") << 2 << true << QStringList{"Einstellungen wurden vom Klingport geladen!"}
                              << Icon::Information;
        QTest::newRow("second instance")
            << 1 << false << QStringList{"Programm läuft bereits!"} << Icon::Exclamation;
    }
    void start()
    {
        QFETCH(int, comport);
        QFETCH(bool, frei);
        Lauf lauf(comport);
        const QString firmware = "/" + QString(95, 'f') + ".tsk";
        lauf.settings.setValue("Settings", "Firmwaredateiname", firmware);
        lauf.settings.setValue("Settings", "LogAutoScroll", zeichen(1));
        lauf.settings.setValue("Settings", "Drucker", "Büro");
        lauf.drucker.names = {"Büro", "Keller"};
        lauf.drucker.setCurrent("Keller");
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
        // Docks tell the window by its menu entry, the one the package installs: by its name, and on X11
        // by the window's class, which Qt takes from the program's file name.
        QVERIFY(!lauf.fenster().windowIcon().pixmap(32).isNull());
        QCOMPARE(QGuiApplication::desktopFileName() + ".desktop", QFileInfo(KLINGPORT_DESKTOP).fileName());
        QVERIFY(
            dateiinhalt(KLINGPORT_DESKTOP)
                .contains("\nStartupWMClass=" + QFileInfo(KLINGPORT_PROGRAMM).fileName().toUtf8() + "\n"));
        const int verbunden = comport == 2 ? 2 : 0;
        QCOMPARE(lauf.offen(), verbunden);
        QCOMPARE(lauf.programm.einstellungen().ComportNummer, verbunden);
        QCOMPARE(lauf.control<QRadioButton>("obu_keine")->isChecked(), verbunden == 0);
        const bool geladen = comport >= 0;
        QCOMPARE(lauf.control<QLabel>("lab_Firmwaredateiname")->text(),
                 geladen ? "..." + firmware.right(90) : "");
        QCOMPARE(lauf.control<QCheckBox>("chk_AutoSroll")->isChecked(), geladen); // else off, as designed
        QCOMPARE(lauf.drucker.current(), geladen ? "Büro" : "Keller");

        QCOMPARE(lauf.programm.optionen()->isVisible(), comport <= 0);
        QCOMPARE(lauf.fenster().isEnabled(), comport > 0);
        lauf.klicken("Cmd_OK");
        QVERIFY(lauf.fenster().isEnabled());
        QCOMPARE(lauf.settings.value("Settings", "Comport"), zeichen(verbunden));
    }

    // The real guard between real starts: the second is refused while the first runs, the lock that a
    // killed first left behind holds nobody back, and a lock that cannot be made is no refusal.
    void zweiterProzess()
    {
        QTemporaryDir ordner;
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"TMPDIR", "HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
            umgebung.insert(name, ordner.path());
        umgebung.insert("QT_QPA_PLATFORM", "offscreen");
        umgebung.insert("QT_LOGGING_RULES", "klingport.message.info=true");
        QProcess läufe[4];
        for (QProcess& lauf : läufe) {
            lauf.setProcessEnvironment(umgebung);
            lauf.setProcessChannelMode(QProcess::MergedChannels);
        }
        const QString durch = "COM-Port nicht vorhanden oder belegt!"; // past the guard, no port stored
        läufe[0].start(KLINGPORT_PROGRAMM);
        QVERIFY(meldet(läufe[0], durch));
        läufe[1].start(KLINGPORT_PROGRAMM);
        QVERIFY(meldet(läufe[1], "Programm läuft bereits!"));
        läufe[0].kill();
        QVERIFY(läufe[0].waitForFinished());
        QVERIFY(!QDir(ordner.path()).entryList({"klingport-*.lock"}, QDir::Files | QDir::Hidden).isEmpty());
        läufe[2].start(KLINGPORT_PROGRAMM);
        QVERIFY(meldet(läufe[2], durch));
        // A temp folder that holds no lock (here a file; the test may run as root) is said, no refusal.
        umgebung.insert("TMPDIR", dateiAnlegen(ordner.filePath("datei"), ""));
        läufe[3].setProcessEnvironment(umgebung);
        läufe[3].start(KLINGPORT_PROGRAMM);
        QVERIFY(meldet(läufe[3], "Im Ordner \"" + ordner.filePath("datei") + "\" kann die Sperrdatei nicht"));
        for (QProcess& lauf : läufe) {
            lauf.kill();
            lauf.waitForFinished();
        }
    }

    // A port chosen in the settings dialog is opened at once and enables the device commands, the
    // backups' "Wiederherstellen" among them; OK and the close box keep it, Cancel opens the port the
    // dialog found again and stores nothing. A later opening's Cancel keeps what OK chose.
    void optionen_data()
    {
        QTest::addColumn<QString>("wahl");
        QTest::addColumn<QString>("ende"); // empty: the close box
        QTest::addColumn<int>("nummer");
        QTest::addColumn<int>("offen");
        QTest::newRow("COM2, OK") << "obu_COM2"
                                  << "Cmd_OK" << 2 << 2;
        QTest::newRow("COM2, cancel") << "obu_COM2"
                                      << "cmd_Cancel" << 1 << 1;
        QTest::newRow("none, close box") << "obu_keine"
                                         << "" << 0 << 1;
    }
    void optionen()
    {
        QFETCH(QString, ende);
        QFETCH(int, nummer);
        QFETCH(QString, wahl);
        Lauf lauf(1);
        QVERIFY(lauf.starten());
        lauf.meldungen.shown.clear();
        const auto vorher = lauf.settings.values;
        // Logging on the first device ends before the port goes to another.
        const bool portWechsel = wahl != "obu_keine";
        if (portWechsel) {
            lauf.klicken("cmd_StartLog");
            QTRY_VERIFY(lauf.anfragen().trimmed().endsWith("logging on"));
        }
        lauf.optionenÖffnen();
        QVERIFY(lauf.programm.optionen()->isVisible() && !lauf.fenster().isEnabled());
        QVERIFY(lauf.control<QRadioButton>("obu_COM1")->isChecked());
        lauf.klicken(wahl);
        if (portWechsel)
            QTRY_VERIFY(lauf.anfragen().trimmed().endsWith("logging off"));
        if (ende.isEmpty())
            lauf.programm.optionen()->close();
        else
            lauf.klicken(ende);
        QVERIFY(lauf.meldungen.shown.isEmpty() && lauf.fenster().isEnabled());
        QCOMPARE(lauf.programm.einstellungen().ComportNummer, nummer);
        QCOMPARE(lauf.settings.value("Settings", "Comport"), zeichen(nummer));
        if (ende == "cmd_Cancel")
            QCOMPARE(lauf.settings.values, vorher);
        QTEST(lauf.offen(), "offen");
        for (const QString& name : Gerätebefehle)
            QCOMPARE(lauf.freigegeben(name), nummer != 0);
        QVERIFY(lauf.freigegeben("cmd_StartLog") && lauf.freigegeben("cmd_KonfigAusDateiLaden"));
        if (!ende.isEmpty()) {
            lauf.optionenÖffnen();
            lauf.klicken("cmd_Cancel");
            QCOMPARE(lauf.programm.einstellungen().ComportNummer, nummer);
            QTEST(lauf.offen(), "offen");
        }
        dateiAnlegen(lauf.ordner.filePath("2026-01-01_00-00-00.bin"), {});
        lauf.fenster().findChild<QAction*>("men_Sicherungen")->trigger();
        QCOMPARE(lauf.programm.sicherungen()->cmd_Wiederherstellen->isEnabled(), nummer != 0);
        if (ende.isEmpty()) { // the close box unloads the dialog; loaded again, it leaves port and device
                              // alone
            QTRY_VERIFY(!lauf.programm.optionen());
            lauf.optionenÖffnen();
            QVERIFY(lauf.meldungen.shown.isEmpty() && lauf.programm.optionen()->isVisible());
            QTEST(lauf.offen(), "offen");
        }
    }

    // Closing waits for a running transfer, ends logging before the port is closed, and stores the
    // settings.
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
        lauf.settings.values.clear();
        QVERIFY(lauf.fenster().close());
        QVERIFY(!lauf.port.isOpen());
        QTRY_VERIFY(lauf.anfragen().trimmed().endsWith("logging off"));
        QCOMPARE(lauf.settings.value("Settings", "Comport"), zeichen(1));
    }

    // A pulled adapter turns the device commands off, the backups' "Wiederherstellen" among them,
    // says so once and ends logging; the settings keep the port. Plugged back in, the port opens by
    // itself and the device answers again.
    void adapterGezogen()
    {
        QTemporaryDir ordner;
        SimGerät gerät({"--verbose", "--link", ordner.filePath("com1")});
        Sitzung s(ordner.filePath("com1"));
        QVERIFY(s.starten());
        s.klicken("cmd_StartLog");
        QTRY_VERIFY(gerät.sim->stderrText().trimmed().endsWith("logging on"));
        dateiAnlegen(s.ordner.filePath("2026-01-01_00-00-00.bin"), {});
        s.fenster().findChild<QAction*>("men_Sicherungen")->trigger();
        QPushButton* wiederherstellen = s.programm.sicherungen()->cmd_Wiederherstellen;
        const QString weg = "Die Verbindung zu COM1 ist unterbrochen.";
        ::kill(pid_t(gerät.sim->process().processId()), SIGUSR1);
        QTRY_VERIFY(!s.fenster().KommunikationEnabled());
        QCOMPARE(s.fenster().statusBar()->currentMessage(), weg);
        QVERIFY(QRegularExpression(
                    " " + QRegularExpression::escape(weg) +
                    "\r\n\\S+ \\S+ Loggen gestoppt, die Verbindung zum Klingport ist unterbrochen\r\n$")
                    .match(s.log())
                    .hasMatch());
        QCOMPARE(s.control<QPushButton>("cmd_StartLog")->text(), "Start");
        QVERIFY(!wiederherstellen->isEnabled());
        s.fenster().findChild<QAction*>("men_Optionen")->trigger();
        QVERIFY(s.control<QRadioButton>("obu_COM1")->isChecked());
        s.klicken("Cmd_OK");
        QTest::qWait(2500); // a try or more while the line is gone
        ::kill(pid_t(gerät.sim->process().processId()), SIGUSR2);
        QTRY_VERIFY_WITH_TIMEOUT(s.fenster().KommunikationEnabled(), 5000);
        QCOMPARE(s.fenster().statusBar()->currentMessage(), "Die Verbindung zu COM1 ist wiederhergestellt.");
        QCOMPARE(s.log().count(weg), 1);
        QVERIFY(wiederherstellen->isEnabled());
        s.programm.sicherungen()->close();
        QTRY_VERIFY(gerät.sim->stderrText().trimmed().endsWith("logging off"));
        s.klicken("cmd_KonfigAusAnlageLaden");
        QCOMPARE(s.meldungen.texts().last(), "Konfiguration erfolgreich ausgelesen!");
    }

    // The printer is chosen in its own dialog and taken by OK of the settings; a stored printer
    // that has gone gives way to the current one. Auto-scroll is stored as soon as it is switched.
    void drucker()
    {
        Lauf lauf(1);
        lauf.settings.setValue("Settings", "Drucker", "Gone");
        lauf.drucker.names = {"Laser", "Farbe"};
        lauf.drucker.setCurrent("Laser");
        QVERIFY(lauf.starten());
        lauf.klicken("chk_AutoSroll");
        QCOMPARE(lauf.settings.value("Settings", "LogAutoScroll"), zeichen(0));
        lauf.optionenÖffnen();
        QCOMPARE(lauf.control<QLabel>("lab_Drucker")->text(), "Laser");
        const auto auswahl = [&] { return lauf.programm.optionen()->findChild<QWidget*>("frm_Drucker"); };
        lauf.klicken("cmd_DruckerÄndern");
        QVERIFY(auswahl() && auswahl()->isVisible());
        auto* liste = auswahl()->findChild<QComboBox*>("Combo_drucker");
        QCOMPARE(liste->currentText(), "Laser");
        QCOMPARE(liste->itemText(liste->count() - 1), "PDF-Datei");
        liste->setCurrentIndex(1);
        QTest::mouseClick(auswahl()->findChild<QPushButton*>("cmd_OK"), Qt::LeftButton);
        QCOMPARE(lauf.drucker.current(), "Farbe");
        QCOMPARE(lauf.control<QLabel>("lab_Drucker")->text(), "Farbe");
        QCOMPARE(lauf.programm.einstellungen().Druckername, "Gone");
        lauf.klicken("cmd_Cancel");
        QCOMPARE(lauf.drucker.current(), "Laser"); // as the dialog found it
        lauf.optionenÖffnen();
        lauf.klicken("Cmd_OK");
        QCOMPARE(lauf.settings.value("Settings", "Drucker"), "Laser");
        QCOMPARE(lauf.settings.value("Settings", "LogAutoScroll"), zeichen(0));

        lauf.drucker.names.clear();
        lauf.optionenÖffnen();
        QCOMPARE(lauf.control<QLabel>("lab_Drucker")->text(), "kein Drucker installiert");
        lauf.klicken("Cmd_OK");
        QCOMPARE(lauf.settings.value("Settings", "Drucker"), "");
    }

    // A control shows its hint; a frame keeps the last one or clears it; some follow a state. Every
    // control a user reaches has a name for a screen reader, a text box its label's.
    void hintsAndNames()
    {
        Lauf lauf(1);
        QVERIFY(lauf.starten());
        QCOMPARE(lauf.hinweisNach("cmd_KonfigAusAnlageLaden"), "Konfiguration aus dem Klingport laden");
        QCOMPARE(lauf.hinweisNach("Frame1"), "Konfiguration aus dem Klingport laden");
        QCOMPARE(lauf.hinweisNach("Frame7"), "");
        QCOMPARE(lauf.hinweisNach("chk_AutoSroll"), "Auto-Scroll für die Logfunktion deaktivieren");
        lauf.control<QCheckBox>("chk_AutoSroll")->setChecked(false);
        QCOMPARE(lauf.hinweisNach("chk_AutoSroll"), "Auto-Scroll für die Logfunktion aktivieren");
        lauf.control<QRadioButton>("obu_Amtsanschluß")->setChecked(true);
        QCOMPARE(lauf.hinweisNach("lab_LokaleRufzeit"),
                 "maximale Rufzeit zum lokalen Telefon über die TLN-Klemmen");
        lauf.control<QRadioButton>("obu_Nebenstellenanschluß")->setChecked(true);
        QCOMPARE(lauf.hinweisNach("lab_LokaleRufzeit"), "im Nebenstellenbetrieb nicht wirksam");

        const auto name = [](QWidget* w) {
            QAccessibleInterface* schnittstelle = QAccessible::queryAccessibleInterface(w);
            return schnittstelle ? schnittstelle->text(QAccessible::Name) : QString();
        };
        for (QWidget* w : lauf.fenster().SSTab1->findChildren<QWidget*>())
            if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_") &&
                (w->inherits("QAbstractButton") || w->inherits("QLineEdit") || w->inherits("QGroupBox") ||
                 w->inherits("QAbstractScrollArea")))
                QVERIFY2(!name(w).isEmpty(), qPrintable(w->objectName()));
        QCOMPARE(name(lauf.control("txt_PIN")), "PIN :");
    }
};

QTEST_MAIN(tst_Shell)
#include "tst_shell.moc"
