// The firmware tab's file choice and failed uploads in the main window, on a scripted link and real
// files. Uploads on the line: tst_cli.

#include "FirmwareTab.h"
#include "Hauptfenster.h"
#include "Testdaten.h"

#include <QLabel>
#include <QTest>

using kommunikation::Antwort;
using kommunikation::Ergebnis;

namespace {

const QString Prüfen =
    "\r\nBitte überprüfen Sie die Verbindung zum Klingport.\r\nFühren Sie anschließend einen "
    "Spannungsreset am Klingport durch und bestätigen Sie nach ca. 5 Sekunden mit OK.";

} // namespace

class tst_Update : public QObject {
    Q_OBJECT
private slots:
    // Once the device took the upload, it is asked for its version again and the user for a reset.
    void fehlgeschlagen_data()
    {
        QTest::addColumn<bool>("firmware");
        QTest::addColumn<Ergebnis>("ergebnis");
        QTest::addColumn<bool>("angenommen");
        QTest::addColumn<QString>("zeile");
        QTest::addColumn<QString>("meldung"); // once taken, followed by the request for a reset
        QTest::newRow("Timeout vor der Annahme")
            << true << Ergebnis::Timeout << false
            << " Firmware konnte wegen eines Timeout nicht geladen werden"
            << "Übertragung wegen Timeout abgebrochen!";
        QTest::newRow("Übertragungsfehler nach der Annahme")
            << false << Ergebnis::Transferfehler << true
            << " Bustreiber konnte wegen Übertragungsfehlern nicht geladen werden"
            << "Übertragung wegen Übertragungsfehler abgebrochen!";
        QTest::newRow("belegt")
            << true << Ergebnis::Belegt << false
            << " Firmware konnte nicht gelagen werden, weil die Schnittstelle belegt ist"
            << "Andere Programmteile greifen gerade\r\nauf die Schnittstelle zu. \r\nBeenden "
               "Sie ggf. die Logfunktion.";
    }
    void fehlgeschlagen()
    {
        QFETCH(bool, firmware);
        QFETCH(Ergebnis, ergebnis);
        QFETCH(bool, angenommen);
        QFETCH(QString, zeile);
        QFETCH(QString, meldung);
        Hauptfenster h;
        const QByteArray image("\x00\x01\xFF image", 10);
        (firmware ? h.firmwarePfad : h.bustreiberPfad) =
            dateiAnlegen(h.sicherungsordner.filePath("Neu.bin"), image);
        h.link.bootlader = true;
        h.link.angenommen = true; // from an earlier upload: every upload starts afresh
        h.link.angenommenNachUpload = angenommen;
        h.link.uploadergebnisse = {ergebnis};
        h.link.modus = ergebnis == Ergebnis::Belegt ? 1 : 0;
        h.link.versionen = {Antwort{Ergebnis::Erfolg, "Klingport V2.10 / Bustreiber PIC V1.07\r\n"}};
        h.klicken(firmware ? "cmd_Update" : "cmd_Bustreiberupdate");
        QCOMPARE(h.link.hochgeladen, QList<QByteArray>{image});
        QCOMPARE(h.log().split("\r\n").mid(0, 2),
                 QStringList({"07.12.2026 09:05:00 Starten des " +
                                  QString(firmware ? "Firmware" : "Bustreiber") + "uploads",
                              "07.12.2026 09:05:01" + zeile}));
        QCOMPARE(h.meldungen.texts().constFirst(), meldung + (angenommen ? Prüfen : ""));
        QCOMPARE(h.meldungen.shown[0].icon,
                 ergebnis == Ergebnis::Belegt ? platform::Icon::Exclamation : platform::Icon::Critical);
        QCOMPARE(h.meldungen.shown.size(), angenommen ? 2 : 1);
        QCOMPARE(h.fenster.firmware->lab_Firmwarestand->text(),
                 angenommen ? "Klingport V2.10 / Bustreiber PIC V1.07\r\n" : "");
        QCOMPARE(h.link.bootlader, !angenommen);
        // Reports on their way stay whole while logging: the receive buffer is not cleared.
        QCOMPARE(h.link.aufrufe.contains("EmpfangspufferLeeren"), ergebnis != Ergebnis::Belegt);
        QVERIFY(h.fenster.isEnabled() && !h.bedienbarWährend.contains(true));
    }

    // The file as its folder lists it, in any letter case; a wildcard, hidden, missing or empty file,
    // or one that cannot be read, is not sent; with none chosen nothing happens at all. A file at the
    // root is looked for there, not in the working folder. Chosen in the dialog, paths beyond 63
    // characters are shown as "..." and their last 60.
    void dateien()
    {
        Hauptfenster h;
        dateiAnlegen(h.sicherungsordner.filePath("Firmware V2.TSK"), "inhalt");
        dateiAnlegen(h.sicherungsordner.filePath(".versteckt.tsk"), "x");
        dateiAnlegen(h.sicherungsordner.filePath("leer.tsk"), "");
        h.klicken("cmd_Update");
        const QString arbeitsordner = QDir::currentPath();
        QDir::setCurrent(h.sicherungsordner.path()); // where "/Firmware V2.TSK" must not be found
        for (const char* name : {"*.TSK", "Firmware V?.TSK", "nicht da.tsk", "kein/Ordner.tsk",
                                 ".versteckt.tsk", "", "/Firmware V2.TSK", "leer.tsk", "FIRMWARE v2.tsk"}) {
            h.firmwarePfad = *name == '/' ? QString(name) : h.sicherungsordner.path() + "/" + name;
            h.klicken("cmd_Update");
        }
        // Back on the drive of /proc under Wine, and out of the folder, which Windows could not remove.
        QDir::setCurrent(arbeitsordner);
        h.firmwarePfad = "/proc/self/mem"; // listed, but its first page is not mapped
        h.klicken("cmd_Update");
        QStringList erwartet(7, "Der Pfad oder die Datei existiert nicht!");
        erwartet
            << "Die Datei \"leer.tsk\" ist leer und wurde nicht übertragen."
            << "Übertragung erfolgreich\r\nDas Klingport startet neu!\r\nBitte warten Sie ca. 5 Sekunden."
            << "Die Datei \"mem\" kann nicht gelesen werden!";
        QCOMPARE(h.meldungen.texts(), erwartet);
        QCOMPARE(h.meldungen.shown[0].icon, platform::Icon::Critical);
        QCOMPARE(h.link.hochgeladen, QList<QByteArray>{"inhalt"});
        QVERIFY(h.fenster.isEnabled());

        const QString pfad63 = "/" + QString(62, 'f'), pfad64 = "/" + QString(59, 'b') + ".hex";
        h.dateien.names = {pfad63, "", pfad64};
        h.klicken("cmd_FirmwaredateiÄndern");
        h.klicken("cmd_FirmwaredateiÄndern"); // left without a name: nothing changes
        h.klicken("cmd_BustreiberdateiÄndern");
        QVERIFY(h.firmwarePfad == pfad63 && h.bustreiberPfad == pfad64 && h.gespeichert == 2);
        QCOMPARE(h.fenster.firmware->lab_Firmwaredateiname->text(), pfad63);
        QCOMPARE(h.fenster.firmware->lab_Bustreiberdateiname->text(), "..." + pfad64.right(60));
    }
};

QTEST_MAIN(tst_Update)
#include "tst_update.moc"
