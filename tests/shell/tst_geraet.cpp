// The whole program against klingport-sim on a pseudo-terminal, through its real serial port: the
// device probe in each of the device's modes, stores checked in the device's image, the reset key,
// logging at the device's full rate, and a call button the device answers. Uploads: tst_cli.

#include "FirmwareTab.h"
#include "SimGeraet.h"
#include "Sitzung.h"
#include "frm_Kommunikation.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString Bootlader = "Klingport Bootlader V1.02\r\n";
const QString NurBootlader =
    "Der Klingport besitzt nur einen Bootlader. Bitte installieren sie eine Firmware!";
const QString Geladen = "Einstellungen wurden vom Klingport geladen!";

// The program, started against a device that klingport-sim runs with `optionen` and that holds the
// filled files of tests/daten. The device is a USB
// serial adapter that the port search finds and numbers COM1, the port the stored settings choose.
struct Lauf : SimGerät, Sitzung {
    explicit Lauf(const QStringList& optionen = {})
        : SimGerät(optionen, gefülltesAbbild()),
          Sitzung(platform::Portordner{pfad("by-id"), pfad("dev"), pfad("sys")})
    {
        QDir().mkpath(pfad("by-id"));
        QFile::link(leitung(), pfad("by-id/usb-FTDI_FT232R_USB_UART_A5069RR4-if00-port0"));
        settings.setValue("Settings", "Comport", zeichen(1));
    }
};

} // namespace

class tst_Geraet : public QObject {
    Q_OBJECT
private slots:
    // A device that is not complete is not read; the other tests start on a complete one.
    void probe_data()
    {
        QTest::addColumn<QStringList>("optionen");
        QTest::addColumn<QString>("anzeige");
        QTest::addColumn<QString>("meldung");
        QTest::newRow("bootloader only")
            << QStringList{"--version", "bootloader"} << Bootlader << NurBootlader;
        QTest::newRow("no bus driver")
            << QStringList{"--version", "nobus"} << "Klingport V2.10 / Bustreiber fehlt\r\n"
            << "Der Klingport besitzt keinen Bustreiber. Bitte installieren sie eine Bustreiber-Firmware!";
        QTest::newRow("no device")
            << QStringList{"--silent"} << ""
            << "Da kein Klingport angeschlossen ist, wurden die Standardparameter geladen!";
    }
    void probe()
    {
        QFETCH(QStringList, optionen);
        QFETCH(QString, meldung);
        QFETCH(QString, anzeige);
        Lauf s(optionen);
        QVERIFY(s.starten());
        QCOMPARE(s.meldungen.texts(), QStringList{meldung});
        QCOMPARE(s.fenster().firmware->lab_Firmwarestand->text(), anzeige);
        QCOMPARE(s.programm.kommunikation()->nurBootlader(), anzeige == Bootlader);
        QVERIFY(s.konfiguration().angezeigteKonfiguration() == Werkseinstellungen());
        QVERIFY(s.telefonbuch().telefonbuch() == Telefonbuch{});
    }

    // What an installer does: start, change, store and compare; the device keeps every byte the
    // program does not own, and each store leaves the image it read as a backup.
    void storeAndCompare()
    {
        Lauf s;
        QVERIFY(s.starten());
        s.konfiguration().txt_PIN->setText("4321");
        s.konfiguration().obu_Nebenstellenanschluß->click();
        const Konfiguration geändert = s.konfiguration().angezeigteKonfiguration();
        // What the store will change, counted in the status line and listed against the device.
        QTRY_COMPARE(s.fenster().lab_Abgleich->text(), "2 Änderungen nicht im Klingport");
        s.fenster().men_Vergleichen->trigger();
        QCOMPARE(s.vergleich(),
                 QStringList({"2 Unterschiede", "Feld|Im Klingport|Im Fenster",
                              "Anschlussart|Amtsanschluss|Nebenstellenanschluss", "PIN|0815|4321"}));
        s.klicken("cmd_KonfigInAnlageSpeichern");
        Telefonbuch neuesBuch;
        neuesBuch[1] = {"Müller-Lüdenscheidt", "0,0401234", "", "3", "2", "frei", "00-00-00-00-00-00-00-00"};
        s.telefonbuch().setTelefonbuch(neuesBuch);
        s.klicken("cmd_TelbuchInAnlageSpeichern");
        const QByteArray nachKonfiguration = KonfigurationInAbbild(gefülltesAbbild(), geändert);
        const QByteArray nachBuch = TelefonbuchInAbbild(nachKonfiguration, neuesBuch);
        QTRY_COMPARE(s.abbild(), nachBuch);
        // The phone book's store too; the configuration's backup: tst_sicherungsdialog.
        QCOMPARE(dateiinhalt(s.sicherungen.liste().value(1).datei), nachKonfiguration);
        QTRY_COMPARE(s.fenster().lab_Abgleich->text(), "Wie im Klingport");
        s.fenster().men_Vergleichen->trigger(); // a read that writes no backup
        QCOMPARE(s.meldungen.texts(),
                 QStringList({Geladen, "Übertragung erfolgreich!", "Übertragung erfolgreich!",
                              "Fenster und Klingport stimmen überein."}));
        QCOMPARE(s.sicherungen.liste().size(), 2);

        // Without its backup a store does not happen.
        QVERIFY(QDir(s.sicherungen.ordner()).removeRecursively());
        dateiAnlegen(s.sicherungen.ordner(), "eine Datei, wo der Ordner hingehört");
        s.konfiguration().txt_PIN->setText("9999");
        s.klicken("cmd_KonfigInAnlageSpeichern");
        QCOMPARE(s.meldungen.texts().last(), s.sicherungen.nichtGeschrieben());
        QVERIFY(s.log().endsWith(
            " Speichern abgebrochen, weil die Sicherung nicht geschrieben werden konnte\r\n"));
        QCOMPARE(s.abbild(), nachBuch);
    }

    // The key restarts the device into its bootloader and asks again after its pauses.
    void resetKey()
    {
        Lauf s;
        QVERIFY(s.starten());
        QTest::keyClick(s.fenster().firmware->cmd_FirmwareAuslesen, 'r');
        QTRY_COMPARE_WITH_TIMEOUT(s.fenster().firmware->lab_Firmwarestand->text(), Bootlader, 8000);
        QCOMPARE(s.meldungen.texts(), QStringList({Geladen, NurBootlader}));
        QCOMPARE(s.log(), "07.12.2026 09:05:00 Das Klingport besitzt nur den " + Bootlader);
    }

    // While the device reports as fast as it can, the window keeps up; the user's stop is logged.
    void loggingKeepsUp()
    {
        Lauf s({"--report-interval", "1"});
        QVERIFY(s.starten());
        s.klicken("cmd_StartLog");
        QTRY_VERIFY_WITH_TIMEOUT(s.log().count(" Klingport ") > 1000, 10000);
        s.klicken("cmd_StartLog");
        QVERIFY(s.log().contains(" Loggen gestartet\r\n") && s.log().endsWith(" Loggen gestoppt\r\n"));
    }

    // The window keeps the address of the device's answer and marks the button as taught. What an
    // answer may look like is shown through klingport-cli, in tst_cli.
    void callButton()
    {
        Lauf s;
        QVERIFY(s.starten());
        s.telefonbuch().setEintrag(5, {"Empfang", "", "", "0", "3"});
        s.fenster().telefonbuch->zeileMarkieren(5);
        s.klicken("Cmd_RufInformationAbholen");
        QCOMPARE(
            s.meldungen.texts(),
            QStringList({Geladen,
                         "Ruf erfolgreich eingelernt!\r\nBitte beachten Sie, dass eventuell "
                         "eingetragene Rufnummern im Telefonbuch noch nicht im Klingport gespeichert sind"}));
        QCOMPARE(s.telefonbuch().eintrag(5).Adresse, "1A-2B-3C-4F-05-00-00-00");
        QCOMPARE(s.telefonbuch().eintrag(5).Tastercode, "gefangen");
        QVERIFY(s.log().startsWith("07.12.2026 09:05:00 Rufinformation erfolgreich abgeholt\r\n"));
    }
};

QTEST_MAIN(tst_Geraet)
#include "tst_geraet.moc"
