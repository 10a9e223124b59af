// The whole program against klingport-sim on a pseudo-terminal, through its real serial port: the
// device probe in each of the device's modes, stores checked in the device's image, a first run on a
// serial adapter, the reset key, logging with every other command refused, uploads, and call-button
// answers as the device sends them.

#include "FirmwareTab.h"
#include "FirmwarestandBefehle.h"
#include "Klingport.h"
#include "SimGeraet.h"
#include "Sitzung.h"
#include "Telegramm.h"
#include "frm_Kommunikation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

const QString Vollständig = "Klingport V2.10 / Bustreiber PIC V1.07\r\n";
const QString Bootlader = "Klingport Bootlader V1.02\r\n";
const QString NurBootlader = "Der Klingport besitzt nur einen Bootlader. Bitte installieren sie eine Firmware!";
const QString Geladen = "Einstellungen wurden vom Klingport geladen!";

Konfiguration gerätekonfiguration()
{
    Konfiguration k;
    k.anschlussart = Anschlussart::Amtsanschluss;
    k.PIN = "7777";
    k.LokaleRufzeit = "015";
    k.variante = Variante::Nacht;
    k.masterumleitung = Masterumleitung::verzögert;
    k.Masterumleitungsnummer = "0,089123";
    return k;
}

Telefonbuch gerätetelefonbuch()
{
    Telefonbuch buch;
    buch[0] = {"Hausmeister Groß", "0301111", "0302222", "0", "1", "gefangen", "00-11-22-33-44-55-66-77"};
    buch[49] = {"Büro", "", "P123", "0", "9", "frei", "00-00-00-00-00-00-00-00"};
    return buch;
}

// The decoded reports in the log, each without its time stamp.
QStringList berichte(const QString& log)
{
    QStringList texte;
    for (const QString& zeile : log.split("\r\n", Qt::SkipEmptyParts))
        if (zeile.mid(20).startsWith("Klingport "))
            texte.append(zeile.mid(20));
    return texte;
}

// The program, started against a device that klingport-sim runs with `optionen`.
struct Lauf : SimGerät, Sitzung {
    explicit Lauf(const QStringList& optionen = {})
        : SimGerät(optionen, musterabbild(gerätekonfiguration(), gerätetelefonbuch())), Sitzung(leitung())
    {
    }
    bool bereit()
    {
        const bool gestartet = starten();
        meldungen.shown.clear();
        return gestartet;
    }
};

} // namespace

class tst_Geraet : public QObject {
    Q_OBJECT
private slots:
    // Only a complete device is read; its image's first byte, 3, is data all the same.
    void probe_data()
    {
        QTest::addColumn<QStringList>("optionen");
        QTest::addColumn<QString>("meldung");
        QTest::addColumn<QString>("anzeige");
        QTest::newRow("complete") << QStringList() << Geladen << Vollständig;
        QTest::newRow("bootloader only") << QStringList{"--version", "bootloader"} << NurBootlader << Bootlader;
        QTest::newRow("no bus driver") << QStringList{"--version", "nobus"}
                                       << "Der Klingport besitzt keinen Bustreiber. Bitte installieren sie "
                                          "eine Bustreiber-Firmware!"
                                       << "Klingport V2.10 / Bustreiber fehlt\r\n";
        QTest::newRow("no device") << QStringList{"--silent"}
                                   << "Da kein Klingport angeschlossen ist, wurden die Standardparameter "
                                      "geladen!"
                                   << "";
    }
    void probe()
    {
        QFETCH(QStringList, optionen);
        QFETCH(QString, anzeige);
        Lauf s(optionen);
        QVERIFY(s.starten());
        QFETCH(QString, meldung);
        QCOMPARE(s.meldungen.texts(), QStringList{meldung});
        QCOMPARE(s.fenster().firmware->lab_Firmwarestand->text(), anzeige);
        QCOMPARE(s.programm.kommunikation()->nurBootlader(), anzeige == Bootlader);
        QVERIFY(s.log().isEmpty());
        const bool vollständig = anzeige == Vollständig;
        QVERIFY(s.konfiguration().angezeigteKonfiguration() ==
                (vollständig ? gerätekonfiguration() : Werkseinstellungen()));
        QVERIFY(s.telefonbuch().telefonbuch() == (vollständig ? gerätetelefonbuch() : Telefonbuch{}));
    }

    // What an installer does: start, change, store, restart and see the stored values; the device
    // keeps every byte the program does not own, and each store leaves the image it read as a backup.
    void storeAndRestart()
    {
        const QByteArray vorher = musterabbild(gerätekonfiguration(), gerätetelefonbuch());
        SimGerät gerät({}, vorher);
        Konfiguration geändert;
        Telefonbuch neuesBuch = gerätetelefonbuch();
        neuesBuch[1] = {"Müller-Lüdenscheidt", "0,0401234", "", "3", "2", "frei", "00-00-00-00-00-00-00-00"};
        neuesBuch[49] = {};
        {
            Sitzung s(gerät.leitung());
            QVERIFY(s.starten());
            s.meldungen.shown.clear();
            s.konfiguration().txt_PIN->setText("4321");
            s.konfiguration().obu_sofort->click();
            s.konfiguration().obu_Nebenstellenanschluß->click();
            geändert = s.konfiguration().angezeigteKonfiguration();
            s.klicken("cmd_KonfigInAnlageSpeichern");
            const QByteArray nachKonfiguration = KonfigurationInAbbild(vorher, geändert);
            QTRY_COMPARE(gerät.abbild(), nachKonfiguration);
            s.telefonbuch().setTelefonbuch(neuesBuch);
            s.klicken("cmd_TelbuchInAnlageSpeichern");
            const QByteArray nachBuch = TelefonbuchInAbbild(nachKonfiguration, neuesBuch);
            QTRY_COMPARE(gerät.abbild(), nachBuch);
            QCOMPARE(s.meldungen.texts(), QStringList(2, "Übertragung erfolgreich!"));
            const QList<platform::Sicherung> sicherungen = s.sicherungen.liste();
            QCOMPARE(sicherungen.size(), 2);
            QCOMPARE(dateiinhalt(sicherungen[0].datei), vorher);
            QCOMPARE(dateiinhalt(sicherungen[1].datei), nachKonfiguration);

            // Without its backup a store does not happen.
            const QString ordner = s.sicherungen.ordner();
            QVERIFY(QDir(ordner).removeRecursively());
            dateiAnlegen(ordner, "eine Datei, wo der Ordner hingehört");
            s.konfiguration().txt_PIN->setText("9999");
            s.klicken("cmd_KonfigInAnlageSpeichern");
            QCOMPARE(s.meldungen.shown.last().text, s.sicherungen.nichtGeschrieben());
            QTest::qWait(200);
            QCOMPARE(gerät.abbild(), nachBuch);
        }
        Sitzung wieder(gerät.leitung());
        QVERIFY(wieder.starten());
        QCOMPARE(wieder.meldungen.texts(), QStringList{Geladen});
        QVERIFY(wieder.konfiguration().angezeigteKonfiguration() == geändert);
        QVERIFY(wieder.telefonbuch().telefonbuch() == neuesBuch);
    }

    // A first run finds the simulator as a USB adapter: choosing "COM 1" talks to it, and the next
    // start opens it on its own.
    void adapterBekommtCom1()
    {
        SimGerät gerät;
        QVERIFY(QDir(gerät.ordner.path()).mkpath("serial/by-id"));
        const QString adapter = gerät.pfad("serial/by-id/usb-FTDI_FT232R_USB_UART_A5069RR4-if00-port0");
        QVERIFY(QFile::link(gerät.leitung(), adapter));
        const platform::Portordner ordner{gerät.pfad("serial/by-id"), gerät.pfad("dev"), gerät.pfad("sys")};
        Sitzung zweite(ordner);
        {
            Sitzung erste(ordner);
            QVERIFY(erste.starten());
            QVERIFY(erste.programm.optionen()->isVisible()); // after its warning of no port
            const qsizetype beimStart = erste.meldungen.shown.size();
            erste.klicken("obu_COM1");
            QCOMPARE(erste.meldungen.shown.size(), beimStart); // no refusal
            erste.klicken("Cmd_OK");
            QCOMPARE(erste.settings.value("Ports", "COM1"), adapter);
            zweite.settings.values = erste.settings.values;
        }
        QVERIFY(zweite.starten());
        QCOMPARE(zweite.meldungen.texts(), QStringList{Geladen});
    }

    // The key restarts the device into its bootloader and asks again after its pauses.
    void resetKey()
    {
        Lauf s;
        QVERIFY(s.bereit());
        QTest::keyClick(s.fenster().firmware->cmd_FirmwareAuslesen, 'r');
        QTRY_COMPARE_WITH_TIMEOUT(s.fenster().firmware->lab_Firmwarestand->text(), Bootlader, 8000);
        QCOMPARE(s.meldungen.texts(), QStringList{NurBootlader});
        QCOMPARE(s.meldungen.shown[0].icon, platform::Icon::Exclamation);
        QCOMPARE(s.log(), "07.12.2026 09:05:00 Das Klingport besitzt nur den " + Bootlader);
        QVERIFY(s.programm.kommunikation()->nurBootlader());
        QVERIFY(s.fenster().firmwarestand->resetAngefordert());
    }

    // The device reports as fast as it can: every other command is refused, no report is lost or
    // split, the window keeps up, and the device is quiet once logging stops.
    void logging()
    {
        Lauf s({"--report-interval", "1"});
        QVERIFY(s.bereit());
        s.telefonbuch().setEintrag(1, {"", "", "", "0", "1", "frei", "00-00-00-00-00-00-00-00"});
        s.dateien.names = {dateiAnlegen(s.pfad("k.tsk"), "fw"), dateiAnlegen(s.pfad("b.hex"), "bus")};
        s.klicken("cmd_FirmwaredateiÄndern");
        s.klicken("cmd_BustreiberdateiÄndern");
        QElapsedTimer uhr;
        qint64 längstePause = 0;
        QTimer puls;
        QObject::connect(&puls, &QTimer::timeout,
                         [&] { längstePause = std::max(längstePause, uhr.restart()); });
        s.klicken("cmd_StartLog");
        QTRY_VERIFY(berichte(s.log()).size() >= 10);
        const QStringList andere = {"cmd_KonfigAusAnlageLaden",   "cmd_KonfigInAnlageSpeichern",
                                    "cmd_TelbuchAusAnlageLaden",  "cmd_TelbuchInAnlageSpeichern",
                                    "cmd_FirmwareAuslesen",       "Cmd_RufInformationAbholen",
                                    "cmd_Update",                 "cmd_Bustreiberupdate"};
        for (const QString& name : andere)
            s.klicken(name);
        QCOMPARE(s.meldungen.texts(), QStringList(andere.size(), "Andere Programmteile greifen gerade\r\nauf "
                                                                 "die Schnittstelle zu. \r\nBeenden Sie ggf. "
                                                                 "die Logfunktion."));
        uhr.start();
        puls.start(10);
        QTest::qWait(3000);
        puls.stop();
        s.klicken("cmd_StartLog");
        QCOMPARE(s.fenster().loggen->cmd_StartLog->text(), "Start");
        QTest::qWait(100); // what was on its way has arrived
        const QStringList texte = berichte(s.log());
        QTest::qWait(200);
        QCOMPARE(berichte(s.log()), texte);
        QVERIFY2(texte.size() > 1000, qPrintable(QString::number(texte.size())));
        const QList<QByteArray> eingebaut = device::Klingport::builtInReports();
        for (int i = 0; i < texte.size(); ++i)
            QCOMPARE(texte[i], BerichtDekodieren(eingebaut[i % eingebaut.size()]));
        QVERIFY2(längstePause < 250, qPrintable(QString::number(längstePause)));
        QCOMPARE(s.fenster().loggen->txt_Log->document()->blockCount(), s.log().count("\r\n") + 1);
        QVERIFY(s.log().contains(" Loggen gestartet\r\n") && s.log().endsWith(" Loggen gestoppt\r\n"));
    }

    // The device keeps what it took, padded with SUB to whole blocks.
    void uploads()
    {
        QTemporaryDir ablage;
        Lauf s({"--firmware-dir", ablage.path()});
        QVERIFY(s.bereit());
        QByteArray firmware(40000, '\0'); // more than 255 blocks
        for (int i = 0; i < firmware.size(); ++i)
            firmware[i] = static_cast<char>(i * 31 + 7);
        dateiAnlegen(s.pfad("Klingport.TSK"), firmware);
        s.dateien.names = {s.pfad("klingport.tsk"), // another letter case
                           dateiAnlegen(s.pfad("bus.hex"), firmware.left(1000))};
        s.klicken("cmd_FirmwaredateiÄndern");
        s.klicken("cmd_BustreiberdateiÄndern");
        s.klicken("cmd_Update");
        s.klicken("cmd_Bustreiberupdate");
        QCOMPARE(s.meldungen.texts(), QStringList({"Übertragung erfolgreich\r\nDas Klingport startet neu!\r\n"
                                                   "Bitte warten Sie ca. 5 Sekunden.",
                                                   "Übertragung erfolgreich!"}));
        const QByteArray fw = dateiinhalt(QDir(ablage.path()).filePath("firmware-001.tsk"));
        QCOMPARE(fw, firmware + QByteArray(fw.size() - firmware.size(), '\x1A'));
        QCOMPARE(dateiinhalt(QDir(ablage.path()).filePath("bustreiber-001.hex")).left(1000),
                 firmware.left(1000));
        QVERIFY(!s.programm.kommunikation()->nurBootlader());
        QVERIFY(s.log().contains(" Firmware erfolgreich übertragen\r\n"));
        QVERIFY(s.log().endsWith(" Bustreiber erfolgreich übertragen\r\n"));
    }

    void callButton_data()
    {
        QTest::addColumn<QByteArray>("antwort"); // what the device answers; empty: its own
        QTest::addColumn<QString>("türstation");
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QString>("meldung");
        const QString eingelernt = "Ruf erfolgreich eingelernt!\r\nBitte beachten Sie, dass eventuell "
                                   "eingetragene Rufnummern im Telefonbuch noch nicht im Klingport gespeichert sind";
        const QString leer = "00-00-00-00-00-00-00-00";
        QTest::newRow("device's own answer") << QByteArray() << "3" << "1A-2B-3C-4F-05-00-00-00" << eingelernt;
        QTest::newRow("other separators")
            << QByteArray("12:34;56/78|9A#\r\n") << "1" << "12-34-56-78-9A-00-00-00" << eingelernt;
        QTest::newRow("16 characters")
            << QByteArray("12 34 56 78 9A\r\n") << "1" << leer << "Rufinformationen fehlerhaft!";
        QTest::newRow("18 characters")
            << QByteArray("12 34 56 78 9A  \r\n") << "1" << leer << "Rufinformationen fehlerhaft!";
        QTest::newRow("door station no number")
            << QByteArray() << "x" << leer
            << "Bitte vergeben Sie im Telefonbuch für den markierten Eintrag eine gültige Türstationsnummer (1-9)";
    }
    void callButton()
    {
        QFETCH(QByteArray, antwort);
        QFETCH(QString, türstation);
        QFETCH(QString, adresse);
        Lauf s(antwort.isEmpty() ? QStringList() : QStringList{"--call-answer", antwort.toHex()});
        QVERIFY(s.bereit());
        s.telefonbuch().setEintrag(5, {"Empfang", "", "", "0", türstation});
        s.fenster().telefonbuch->zeileMarkieren(5);
        s.klicken("Cmd_RufInformationAbholen");
        QFETCH(QString, meldung);
        QCOMPARE(s.meldungen.texts(), QStringList{meldung});
        const Telefonbucheintrag eintrag = s.telefonbuch().eintrag(5);
        QCOMPARE(eintrag.Adresse, adresse);
        QCOMPARE(eintrag.Tastercode, adresse.startsWith("00-00") ? "frei" : "gefangen");
        QCOMPARE(eintrag.Teilnehmer, "Empfang");
        QCOMPARE(s.log().startsWith("07.12.2026 09:05:00 Rufinformation erfolgreich abgeholt\r\n"), türstation != "x");
    }
};

QTEST_MAIN(tst_Geraet)
#include "tst_geraet.moc"
