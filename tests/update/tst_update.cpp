// The firmware tab's file choice and uploads in the main window, on a scripted link and real files.

#include "FirmwareTab.h"
#include "Hauptfenster.h"
#include "Imagedatei.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using kommunikation::Antwort;
using kommunikation::Ergebnis;
using platform::Icon;

Q_DECLARE_METATYPE(platform::Icon)

namespace {

const QString Lang =
    "\r\nBitte überprüfen Sie die Verbindung zum Klingport.\r\nFühren Sie anschließend einen "
    "Spannungsreset am Klingport durch und bestätigen Sie nach ca. 5 Sekunden mit OK.";

QString datei(const QTemporaryDir& ordner, const QString& name, const QByteArray& inhalt)
{
    QFile f(ordner.filePath(name));
    return f.open(QIODevice::WriteOnly) && f.write(inhalt) == inhalt.size() ? f.fileName() : QString();
}

} // namespace

class tst_Update : public QObject {
    Q_OBJECT
private slots:
    void choosingFiles()
    {
        Hauptfenster h;
        const QString pfad63 = "/" + QString(62, 'f');
        const QString pfad64 = "/" + QString(59, 'b') + ".hex";
        h.dateien.names = {pfad63, "", pfad64};
        h.klicken("cmd_FirmwaredateiÄndern");
        h.klicken("cmd_FirmwaredateiÄndern"); // left without a name: nothing changes
        h.klicken("cmd_BustreiberdateiÄndern");
        QCOMPARE(h.firmwarePfad, pfad63);
        QCOMPARE(h.bustreiberPfad, pfad64);
        QCOMPARE(h.gespeichert, 2);
        QCOMPARE(h.fenster.firmware->lab_Firmwaredateiname->text(), pfad63);
        QCOMPARE(h.fenster.firmware->lab_Bustreiberdateiname->text(), "..." + pfad64.right(60));
        QCOMPARE(h.dateien.filters,
                 QStringList({"Firmwaredateien (*.tsk)|*.tsk", "Firmwaredateien (*.tsk)|*.tsk",
                              "Bustreiberdateien (*.hex)|*.hex"}));
    }

    void results_data()
    {
        QTest::addColumn<bool>("firmware");
        QTest::addColumn<Ergebnis>("ergebnis");
        QTest::addColumn<bool>("angenommen");
        QTest::addColumn<QString>("zeile");
        QTest::addColumn<QString>("meldung");
        QTest::addColumn<Icon>("symbol");
        QTest::newRow("firmware stored")
            << true << Ergebnis::Erfolg << true << " Firmware erfolgreich übertragen"
            << "Übertragung erfolgreich\r\nDas Klingport startet neu!\r\nBitte warten "
               "Sie ca. 5 Sekunden."
            << Icon::Information;
        QTest::newRow("bus driver stored")
            << false << Ergebnis::Erfolg << true << " Bustreiber erfolgreich übertragen"
            << "Übertragung erfolgreich!" << Icon::Information;
        QTest::newRow("time-out before accepted")
            << true << Ergebnis::Timeout << false
            << " Firmware konnte wegen eines Timeout nicht geladen werden"
            << "Übertragung wegen Timeout abgebrochen!" << Icon::Critical;
        QTest::newRow("time-out after accepted")
            << false << Ergebnis::Timeout << true
            << " Bustreiber konnte wegen eines Timeout nicht geladen werden"
            << "Übertragung wegen Timeout abgebrochen!" + Lang << Icon::Critical;
        QTest::newRow("transfer error before accepted")
            << false << Ergebnis::Transferfehler << false
            << " Bustreiber konnte wegen Übertragungsfehlern nicht geladen werden"
            << "Übertragung wegen Übertragungsfehler abgebrochen!" << Icon::Critical;
        QTest::newRow("transfer error after accepted")
            << true << Ergebnis::Transferfehler << true
            << " Firmware konnte wegen Übertragungsfehlern nicht geladen werden"
            << "Übertragung wegen Übertragungsfehler abgebrochen!" + Lang << Icon::Critical;
    }

    void results()
    {
        QFETCH(bool, firmware);
        QFETCH(Ergebnis, ergebnis);
        QFETCH(bool, angenommen);
        QFETCH(QString, zeile);
        QFETCH(QString, meldung);
        QFETCH(Icon, symbol);
        QTemporaryDir ordner;
        const QByteArray image("\x00\x01\xFF image", 10);
        (firmware ? h_firmware : h_bustreiber) = datei(ordner, "Neu.bin", image);
        Hauptfenster h;
        h.firmwarePfad = h_firmware;
        h.bustreiberPfad = h_bustreiber;
        h.link.bootlader = true;
        h.link.angenommen = true; // from an earlier upload: every upload starts afresh
        h.link.angenommenNachUpload = angenommen;
        h.link.uploadergebnisse = {ergebnis};
        h.link.versionen = {Antwort{Ergebnis::Erfolg, "Klingport V2.10 / Bustreiber PIC V1.07\r\n"}};
        h.fenster.firmware->lab_Firmwarestand->setText("alt");
        h.klicken(firmware ? "cmd_Update" : "cmd_Bustreiberupdate");
        const QString senden = firmware ? "FirmwareSenden" : "BustreiberSenden";
        const bool nachlesen = angenommen && ergebnis != Ergebnis::Erfolg;
        QStringList aufrufe = {"EmpfangspufferLeeren", "LoggenAus", senden};
        if (nachlesen)
            aufrufe += {"EmpfangspufferLeeren", "LoggenAus", "FirmwareAuslesen"};
        QCOMPARE(h.link.aufrufe, aufrufe);
        QCOMPARE(h.link.hochgeladen, QList<QByteArray>{image});
        QStringList zeilen = h.log().split("\r\n");
        QCOMPARE(zeilen[0], "07.12.2026 09:05:00 Starten des " +
                                QString(firmware ? "Firmwareuploads" : "Bustreiberuploads"));
        QCOMPARE(zeilen[1], "07.12.2026 09:05:01" + zeile);
        QCOMPARE(h.meldungen.texts().first(), meldung);
        QCOMPARE(h.meldungen.shown[0].icon, symbol);
        QCOMPARE(h.meldungen.shown.size(), nachlesen ? 2 : 1);
        QCOMPARE(h.fenster.firmware->lab_Firmwarestand->text(),
                 nachlesen ? "Klingport V2.10 / Bustreiber PIC V1.07\r\n" : "");
        QCOMPARE(h.link.bootlader, !(firmware && ergebnis == Ergebnis::Erfolg) && !nachlesen);
        QVERIFY(h.fenster.isEnabled() && !h.bedienbarWährend.contains(true));
        h_firmware.clear();
        h_bustreiber.clear();
    }

    void busyWhileLogging()
    {
        QTemporaryDir ordner;
        Hauptfenster h;
        h.firmwarePfad = datei(ordner, "k.tsk", "fw");
        h.link.modus = 1;
        h.klicken("cmd_Update");
        QCOMPARE(h.log(),
                 "07.12.2026 09:05:00 Starten des Firmwareuploads\r\n07.12.2026 09:05:01 Firmware konnte "
                 "nicht gelagen werden, weil die Schnittstelle belegt ist\r\n");
        QCOMPARE(h.meldungen.texts(),
                 QStringList{"Andere Programmteile greifen gerade\r\nauf die Schnittstelle "
                             "zu. \r\nBeenden Sie ggf. die Logfunktion."});
        QCOMPARE(h.link.modus, 1);
        QVERIFY(!h.link.aufrufe.contains("EmpfangspufferLeeren")); // reports on their way stay whole
    }

    void lookingUpFiles()
    {
        QTemporaryDir ordner;
        const QString echt = datei(ordner, "Firmware V2.TSK", "inhalt");
        datei(ordner, ".versteckt.tsk", "x");
        QCOMPARE(DateiSuchen(echt).pfad, echt);
        QCOMPARE(DateiSuchen(ordner.filePath("firmware v2.tsk")).pfad, echt); // any letter case
        const QStringList fehlen = {ordner.filePath("*.TSK"),          ordner.filePath("Firmware V?.TSK"),
                                    ordner.filePath("nicht da.tsk"),   ordner.filePath("kein/Ordner.tsk"),
                                    ordner.filePath(".versteckt.tsk"), ordner.path() + "/"};
        for (const QString& pfad : fehlen)
            QVERIFY2(DateiSuchen(pfad).ergebnis == Dateisuche::Ergebnis::NichtGefunden, qPrintable(pfad));

        // What the upload makes of them: nothing sent, and the window usable again.
        Hauptfenster h;
        h.klicken("cmd_Update"); // no file chosen: nothing at all
        h.firmwarePfad = fehlen[0];
        h.klicken("cmd_Update");
        QCOMPARE(h.meldungen.texts(), QStringList{"Der Pfad oder die Datei existiert nicht!"});
        QCOMPARE(h.meldungen.shown[0].icon, Icon::Critical);
        h.firmwarePfad = ordner.filePath("FIRMWARE v2.tsk");
        h.klicken("cmd_Update");
        QCOMPARE(h.link.hochgeladen, QList<QByteArray>{"inhalt"});
        QVERIFY(h.fenster.isEnabled());
        QCOMPARE(h.link.aufrufe.count("FirmwareSenden"), 1);

        // Listed, but reading it fails (its first page is not mapped): nothing is sent.
        h.firmwarePfad = "/proc/self/mem";
        h.klicken("cmd_Update");
        QCOMPARE(h.meldungen.texts().last(), "Die Datei \"mem\" kann nicht gelesen werden!");
        QCOMPARE(h.link.aufrufe.count("FirmwareSenden"), 1);
        QVERIFY(h.fenster.isEnabled());
    }

private:
    QString h_firmware;
    QString h_bustreiber;
};

QTEST_MAIN(tst_Update)
#include "tst_update.moc"
