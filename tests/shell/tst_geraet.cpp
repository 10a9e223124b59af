// The program against klingport-sim on a pseudo-terminal, through its real serial port: the device
// probe in each of the device's modes, storing and loading through the tabs, the version query and
// its reset key.

#include "FirmwareTab.h"
#include "FirmwarestandBefehle.h"
#include "Geraeteabbild.h"
#include "Konfigurationsbereich.h"
#include "SimProcess.h"
#include "Sitzung.h"
#include "Telefonbuchbereich.h"
#include "frm_Kommunikation.h"
#include "frm_Optionen.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString Vollständig = "Klingport V2.10 / Bustreiber PIC V1.07\r\n";
const QString Bootlader = "Klingport Bootlader V1.02\r\n";
const QString PortNichtVorhanden = "                  Achtung!\r\nCOM-Port nicht vorhanden oder belegt!\r\n"
                                   "Bitte wählen Sie einen anderen Port!";

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

// A device image with every byte the program does not interpret set, so that a store shows
// whether it keeps them.
QByteArray geräteabbild()
{
    QByteArray abbild(abbild::Größe, '\0');
    for (int i = 0; i < abbild.size(); ++i)
        abbild[i] = static_cast<char>(i * 7 + 3);
    return TelefonbuchInAbbild(KonfigurationInAbbild(abbild, gerätekonfiguration()), gerätetelefonbuch());
}

QByteArray dateiinhalt(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

} // namespace

class tst_Geraet : public QObject {
    Q_OBJECT
private slots:
    void probe_data()
    {
        QTest::addColumn<QStringList>("optionen");
        QTest::addColumn<int>("comport");
        QTest::addColumn<QStringList>("meldungen");
        QTest::addColumn<QString>("anzeige");
        QTest::newRow("complete") << QStringList() << 1
                                  << QStringList{"Einstellungen wurden vom Klingport geladen!"}
                                  << Vollständig;
        QTest::newRow("bootloader only")
            << QStringList{"--version", "bootloader"} << 1
            << QStringList{"Der Klingport besitzt nur einen Bootlader. Bitte installieren sie eine Firmware!"}
            << Bootlader;
        QTest::newRow("no bus driver") << QStringList{"--version", "nobus"} << 1
                                       << QStringList{"Der Klingport besitzt keinen Bustreiber. Bitte "
                                                      "installieren sie eine Bustreiber-Firmware!"}
                                       << "Klingport V2.10 / Bustreiber fehlt\r\n";
        QTest::newRow("no device")
            << QStringList{"--silent"} << 1
            << QStringList{"Da kein Klingport angeschlossen ist, wurden die Standardparameter "
                           "geladen!"}
            << "";
        QTest::newRow("no port")
            << QStringList() << 0
            << QStringList{"                  Achtung!\r\nCOM-Port nicht vorhanden oder belegt!\r\n"
                           "Bitte wählen Sie einen anderen Port!",
                           "Da kein Klingport angeschlossen ist wurden die Standardparameter "
                           "geladen!"}
            << "";
    }

    void probe()
    {
        QFETCH(QStringList, optionen);
        QFETCH(int, comport);
        QFETCH(QString, anzeige);
        QTemporaryDir ordner;
        const QString bild = ordner.filePath("klingport.img");
        QFile datei(bild);
        QVERIFY(datei.open(QIODevice::WriteOnly) && datei.write(geräteabbild()) == abbild::Größe);
        datei.close();
        SimProcess sim(optionen + QStringList{"--image", bild, "--baud", "0"});
        QVERIFY(!sim.ptyPath().isEmpty());
        Sitzung s(sim.ptyPath(), comport);
        QVERIFY(s.starten());
        QTEST(s.meldungen.texts(), "meldungen");
        QCOMPARE(s.fenster().firmware->lab_Firmwarestand->text(), anzeige);
        QCOMPARE(s.programm.kommunikation()->nurBootlader(), anzeige == Bootlader);
        QVERIFY(s.log().isEmpty());
        QCOMPARE(s.fenster().isEnabled(), comport != 0); // without a port the settings dialog holds it
        const bool vollständig = anzeige == Vollständig;
        QVERIFY(s.konfiguration().angezeigteKonfiguration() ==
                (vollständig ? gerätekonfiguration() : Werkseinstellungen()));
        QVERIFY(s.telefonbuch().telefonbuch() == (vollständig ? gerätetelefonbuch() : Telefonbuch{}));
        if (vollständig) // the device commands are enabled once the port is open
            for (const char* name :
                 {"cmd_Bustreiberupdate", "cmd_Update", "cmd_FirmwareAuslesen", "cmd_KonfigAusAnlageLaden",
                  "cmd_KonfigInAnlageSpeichern", "cmd_TelbuchAusAnlageLaden", "cmd_TelbuchInAnlageSpeichern"})
                QVERIFY2(s.fenster().findChild<QPushButton*>(name)->isEnabled(), name);
    }

    // What an installer does: start, change, store, restart and see the stored values.
    void storeAndRestart()
    {
        QTemporaryDir ordner;
        const QString bild = ordner.filePath("klingport.img");
        QFile datei(bild);
        QVERIFY(datei.open(QIODevice::WriteOnly) && datei.write(geräteabbild()) == abbild::Größe);
        datei.close();
        SimProcess sim({"--image", bild, "--baud", "0"});
        QVERIFY(!sim.ptyPath().isEmpty());

        Konfiguration geändert = gerätekonfiguration();
        Telefonbuch neuesBuch = gerätetelefonbuch();
        {
            Sitzung s(sim.ptyPath());
            QVERIFY(s.starten());
            KonfigurationTab& k = s.konfiguration();
            k.txt_PIN->setText("4321");
            k.obu_sofort->click();
            k.obu_Nebenstellenanschluß->click();
            geändert = k.angezeigteKonfiguration();
            QCOMPARE(geändert.PIN, "4321");
            s.meldungen.shown.clear();
            s.klicken("cmd_KonfigInAnlageSpeichern");
            QCOMPARE(s.meldungen.texts(), QStringList{"Übertragung erfolgreich!"});
            QCOMPARE(s.log(), "07.12.2026 09:05:00 Konfiguration erfolgreich ausgelesen\r\n"
                              "07.12.2026 09:05:01 Konfiguration erfolgreich übertragen\r\n");
            const QByteArray nachKonfiguration = KonfigurationInAbbild(geräteabbild(), geändert);
            QTRY_COMPARE(dateiinhalt(bild), nachKonfiguration); // the phone book half stayed as it was

            neuesBuch[1] = {"Müller-Lüdenscheidt",    "0,0401234", "", "3", "2", "frei",
                            "00-00-00-00-00-00-00-00"};
            neuesBuch[49] = {};
            s.telefonbuch().setTelefonbuch(neuesBuch);
            s.klicken("cmd_TelbuchInAnlageSpeichern");
            QCOMPARE(s.meldungen.texts().last(), "Übertragung erfolgreich!");
            QTRY_COMPARE(dateiinhalt(bild), TelefonbuchInAbbild(nachKonfiguration, neuesBuch));

            // Each store kept the image it read; without its backup a store does not happen.
            const QList<platform::Sicherung> sicherungen = s.sicherungen.liste();
            QCOMPARE(sicherungen.size(), 2);
            QCOMPARE(dateiinhalt(sicherungen[0].datei), geräteabbild());
            QCOMPARE(dateiinhalt(sicherungen[1].datei), nachKonfiguration);
            const QString sicherungsordner = s.sicherungen.ordner();
            QVERIFY(QDir(sicherungsordner).removeRecursively() &&
                    QFile(sicherungsordner).open(QIODevice::WriteOnly));
            s.telefonbuch().setTelefonbuch({});
            s.klicken("cmd_TelbuchInAnlageSpeichern");
            QCOMPARE(s.meldungen.shown.last().text, s.sicherungen.nichtGeschrieben());
            QCOMPARE(s.meldungen.shown.last().icon, platform::Icon::Critical);
            QTest::qWait(200);
            QCOMPARE(dateiinhalt(bild), TelefonbuchInAbbild(nachKonfiguration, neuesBuch));
            QVERIFY(QFile::remove(sicherungsordner));
            s.telefonbuch().setTelefonbuch(neuesBuch);

            // Loading brings the device's values back over what the screen shows.
            k.KonfigurationWerkseinstellungen();
            s.fenster().telefonbuch->TelefonbuchTabelleAufbauen();
            s.klicken("cmd_KonfigAusAnlageLaden");
            s.klicken("cmd_TelbuchAusAnlageLaden");
            QCOMPARE(s.meldungen.texts().mid(3), QStringList({"Konfiguration erfolgreich ausgelesen!",
                                                              "Telefonbuch erfolgreich ausgelesen!"}));
            QVERIFY(k.angezeigteKonfiguration() == geändert);
            QVERIFY(s.telefonbuch().telefonbuch() == neuesBuch);
        }
        Sitzung wieder(sim.ptyPath());
        QVERIFY(wieder.starten());
        QCOMPARE(wieder.meldungen.texts(), QStringList{"Einstellungen wurden vom Klingport geladen!"});
        QVERIFY(wieder.konfiguration().angezeigteKonfiguration() == geändert);
        QVERIFY(wieder.telefonbuch().telefonbuch() == neuesBuch);
    }

    // A first run finds the simulator as a USB adapter: choosing "COM 1" talks to it, and the next
    // start opens it on its own.
    void adapterBekommtCom1()
    {
        SimProcess sim({"--baud", "0"});
        QVERIFY(!sim.ptyPath().isEmpty());
        QTemporaryDir baum;
        QVERIFY(QDir(baum.path()).mkpath("serial/by-id"));
        const QString adapter = baum.filePath("serial/by-id/usb-FTDI_FT232R_USB_UART_A5069RR4-if00-port0");
        QVERIFY(QFile::link(sim.ptyPath(), adapter));
        const platform::Portordner ordner{baum.filePath("serial/by-id"), baum.filePath("dev"),
                                          baum.filePath("sys")};

        FakeSettingsStore gespeichert;
        {
            Sitzung erste(ordner);
            QVERIFY(erste.starten());
            QCOMPARE(erste.meldungen.texts().value(0), PortNichtVorhanden);
            frm_Optionen* optionen = erste.programm.optionen();
            QVERIFY(optionen && optionen->isVisible());
            const qsizetype beimStart = erste.meldungen.shown.size();
            optionen->findChild<QRadioButton*>("obu_COM1")->click();
            QCOMPARE(erste.meldungen.shown.size(), beimStart); // no refusal
            QVERIFY(erste.programm.kommunikation()->portOffen());
            optionen->findChild<QPushButton*>("Cmd_OK")->click();
            QCOMPARE(erste.settings.value("Ports", "COM1"), adapter);
            gespeichert.values = erste.settings.values;
        }
        Sitzung zweite(ordner);
        zweite.settings.values = gespeichert.values;
        QVERIFY(zweite.starten());
        QCOMPARE(zweite.meldungen.texts(), QStringList{"Einstellungen wurden vom Klingport geladen!"});
    }

    void versionQueryAndResetKey()
    {
        SimProcess sim({"--baud", "0"});
        QVERIFY(!sim.ptyPath().isEmpty());
        Sitzung s(sim.ptyPath());
        QVERIFY(s.starten());
        s.meldungen.shown.clear();
        QLabel* anzeige = s.fenster().firmware->lab_Firmwarestand;
        anzeige->clear();
        s.klicken("cmd_FirmwareAuslesen");
        QCOMPARE(anzeige->text(), Vollständig);
        QCOMPARE(s.meldungen.texts(), QStringList{"Firmware erfolgreich ausgelesen!"});
        QCOMPARE(s.log(),
                 "07.12.2026 09:05:00 Firmwareversion erfolgreich ausgelesen: \r\n\t\t" + Vollständig);

        // The key restarts the device into its bootloader and asks again after its pauses.
        QPushButton* knopf = s.fenster().firmware->cmd_FirmwareAuslesen;
        QTest::keyClick(knopf, 'R');
        QTest::keyClick(knopf, 'r');
        QTest::keyClick(knopf, 'r');
        QTRY_COMPARE_WITH_TIMEOUT(anzeige->text(), Bootlader, 8000);
        QCOMPARE(s.meldungen.texts().last(),
                 "Der Klingport besitzt nur einen Bootlader. Bitte installieren sie eine Firmware!");
        QVERIFY(s.log().endsWith("\r\n07.12.2026 09:05:01 Das Klingport besitzt nur den " + Bootlader));
        QVERIFY(s.programm.kommunikation()->nurBootlader());
        QTest::qWait(4000); // the second "r" started nothing
        QCOMPARE(s.meldungen.shown.size(), 2);
        QVERIFY(s.fenster().firmwarestand->resetAngefordert());
    }
};

QTEST_MAIN(tst_Geraet)
#include "tst_geraet.moc"
