// The log tab in the main window on a scripted link: bus logging on and off, decoded reports,
// auto-scroll, clearing, and log files on disk.

#include "Hauptfenster.h"
#include "LoggenBefehle.h"
#include "Testdaten.h"
#include "Windows1252.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray inhalt(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray("(fehlt)");
}

bool schreiben(const QString& pfad, const QByteArray& bytes)
{
    QFile datei(pfad);
    return datei.open(QIODevice::WriteOnly) && datei.write(bytes) == bytes.size();
}

} // namespace

class tst_Loggen : public QObject {
    Q_OBJECT
private slots:
    void startAndStop()
    {
        Hauptfenster h;
        QPushButton* knopf = h.fenster.loggen->cmd_StartLog;
        h.klicken("cmd_StartLog");
        QCOMPARE(knopf->text(), "Stop");
        QCOMPARE(h.link.modus, 1);
        h.fenster.loggenBefehle->berichtEmpfangen("S: 31 1A2B3C4D\r\n");
        h.fenster.loggenBefehle->berichtEmpfangen("X: 00\r\n");
        h.klicken("cmd_DeleteLog"); // clearing leaves logging on
        QCOMPARE(h.link.modus, 1);
        h.fenster.loggenBefehle->berichtEmpfangen("E: 21 1A2B3C4D\r\n");
        h.klicken("cmd_StartLog");
        QCOMPARE(knopf->text(), "Start");
        QCOMPARE(h.link.aufrufe, QStringList({"LoggenEin", "LoggenAus"}));
        QCOMPARE(h.log(), "07.12.2026 09:05:03 Klingport empfängt: Türrufannahme von 1A2B3C4D\r\n"
                          "07.12.2026 09:05:04 Loggen gestoppt\r\n");

        // A refused start leaves both lines and the caption.
        h.link.modus = 9;
        h.klicken("cmd_StartLog");
        QCOMPARE(knopf->text(), "Start");
        QVERIFY(h.log().endsWith(
            "07.12.2026 09:05:05 Loggen gestartet\r\n07.12.2026 09:05:05 Loggen von "
            "Businformationen nicht möglich, da andere Prozesse die Schnittstelle belegen\r\n"));
    }

    void lostLineEndsLogging()
    {
        Hauptfenster h;
        h.klicken("cmd_StartLog");
        h.fenster.loggenBefehle->verbindungVerloren();
        QCOMPARE(h.fenster.loggen->cmd_StartLog->text(), "Start");
        QVERIFY(h.log().endsWith(" Loggen gestoppt, die Verbindung zum Klingport ist unterbrochen\r\n"));
    }

    void autoScroll()
    {
        Hauptfenster h;
        QPlainTextEdit* fenster = h.fenster.loggen->txt_Log;
        QCheckBox* schalter = h.fenster.loggen->chk_AutoSroll;
        schalter->setChecked(false);
        for (int i = 0; i < 50; ++i)
            h.fenster.loggen->log().anhängen("Zeile\r\n");
        QCOMPARE(fenster->textCursor().position(), 0);
        schalter->setChecked(true);
        h.fenster.loggen->log().anhängen("neu\r\n");
        QCOMPARE(fenster->textCursor().position(), fenster->document()->characterCount() - 1);
        QCOMPARE(fenster->toPlainText(), QString("Zeile\n").repeated(50) + "neu\n");
    }

    void files()
    {
        QTemporaryDir ordner;
        const QString pfad = ordner.filePath("sitzung.log");
        Hauptfenster h;
        h.klicken("cmd_SaveLog"); // the dialog gave no name: nothing happens
        QVERIFY(!QFile::exists(pfad));

        // An empty log is saved as CR LF alone.
        h.dateien.names = {pfad};
        h.klicken("cmd_SaveLog");
        QCOMPARE(inhalt(pfad), "\r\n");
        QCOMPARE(h.dateien.filters, QStringList({"Logdateien (*.log)|*.log", "Logdateien (*.log)|*.log"}));

        // Saved and opened again, the log gains one empty line.
        h.fenster.loggen->log().anhängen("07.12.2026 09:05:00 Tür öffnen\r\n");
        h.dateien.names = {pfad, pfad};
        h.klicken("cmd_SaveLog");
        QCOMPARE(inhalt(pfad), "07.12.2026 09:05:00 T\xFCr \xF6"
                               "ffnen\r\n\r\n");
        h.klicken("cmd_OpenLog");
        QCOMPARE(h.log(), "07.12.2026 09:05:00 Tür öffnen\r\n\r\n");
        QCOMPARE(h.dateien.startPaths.last(), pfad); // the dialog keeps its last name

        // Lines end in CR LF, CR or LF alike.
        QVERIFY(schreiben(pfad, "a\nb\rc"));
        h.dateien.names = {pfad};
        h.klicken("cmd_OpenLog");
        QCOMPARE(h.log(), "a\r\nb\r\nc\r\n");
        QVERIFY(h.meldungen.shown.isEmpty());
    }

    void fileErrorsKeepLog()
    {
        QTemporaryDir ordner;
        Hauptfenster h;
        h.fenster.loggen->log().anhängen("bleibt\r\n");
        h.dateien.names = {ordner.filePath("fehlt/x.log"), ordner.filePath("fehlt.log")};
        h.klicken("cmd_SaveLog");
        h.klicken("cmd_OpenLog");
        QCOMPARE(h.meldungen.texts(),
                 QStringList({"Die Logdatei \"x.log\" konnte nicht gespeichert werden.",
                              "Die Logdatei \"fehlt.log\" konnte nicht gelesen werden."}));
        QCOMPARE(h.meldungen.shown[0].icon, platform::Icon::Critical);
        QCOMPARE(h.log(), "bleibt\r\n");
    }

    // The log under its heading, each line indented; no length is too long.
    void drucken_data()
    {
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("gedruckt");
        const QString überschrift = "\r\n\r\n\r\n\tWELKO Buskommunikationsprotokoll\r\n\r\n\r\n";
        QTest::newRow("leer") << "" << überschrift + "\t\r\n";
        QTest::newRow("zwei Zeilen")
            << "07.12.2026 09:05:00 Loggen gestartet\r\n07.12.2026 09:05:01 Türruf\r\n"
            << windows1252::dekodieren(testdatei("log.druck"));
        const QString zeile = "07.12.2026 09:05:00 Ruf von Türstation 1 an Telefonbuch 12 Variante 1\r\n";
        const int anzahl = 40000 / zeile.size() + 1;
        QTest::newRow("über 40000 Zeichen")
            << zeile.repeated(anzahl) << überschrift + ("\t" + zeile).repeated(anzahl) + "\t\r\n";
    }
    void drucken()
    {
        QFETCH(QString, log);
        QFETCH(QString, gedruckt);
        Hauptfenster h;
        h.drucker.names = {"Laser"};
        h.drucker.setCurrent("Laser");
        h.fenster.loggen->log().setText(log);
        h.klicken("cmd_LoggDrucken");
        QCOMPARE(h.drucker.gedruckt.size(), 1);
        QCOMPARE(h.drucker.gedruckt[0].text, gedruckt);
        QCOMPARE(h.drucker.gedruckt[0].schriftgröße, 10);
        QCOMPARE(h.drucker.gedruckt[0].schriftart, ""); // the printer's own font
        QVERIFY(h.meldungen.shown.isEmpty());
    }
};

QTEST_MAIN(tst_Loggen)
#include "tst_loggen.moc"
