// The log tab in the main window on a scripted link: bus logging on and off, decoded reports,
// auto-scroll, log files on disk and the printout.

#include "Hauptfenster.h"
#include "LoggenBefehle.h"
#include "Testdaten.h"
#include "Windows1252.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

class tst_Loggen : public QObject {
    Q_OBJECT
private slots:
    // Clearing leaves logging on; a refused start and a lost line leave the caption "Start".
    void startUndStop()
    {
        Hauptfenster h;
        QPushButton* knopf = h.fenster.loggen->cmd_StartLog;
        h.klicken("cmd_StartLog");
        QVERIFY(knopf->text() == "Stop" && h.link.modus == 1);
        h.fenster.loggenBefehle->berichtEmpfangen("S: 31 1A2B3C4D\r\n");
        h.fenster.loggenBefehle->berichtEmpfangen("X: 00\r\n");
        h.klicken("cmd_DeleteLog");
        QCOMPARE(h.link.modus, 1);
        h.fenster.loggenBefehle->berichtEmpfangen("E: 21 1A2B3C4D\r\n");
        h.klicken("cmd_StartLog");
        QVERIFY(knopf->text() == "Start" && h.link.aufrufe == QStringList({"LoggenEin", "LoggenAus"}));
        h.link.modus = 9;
        h.klicken("cmd_StartLog");
        h.link.modus = 0;
        h.klicken("cmd_StartLog");
        h.fenster.loggenBefehle->verbindungVerloren();
        QCOMPARE(knopf->text(), "Start");
        QCOMPARE(
            h.log().split("\r\n"),
            QStringList({"07.12.2026 09:05:03 Klingport empfängt: Türrufannahme von 1A2B3C4D",
                         "07.12.2026 09:05:04 Loggen gestoppt", "07.12.2026 09:05:05 Loggen gestartet",
                         "07.12.2026 09:05:05 Loggen von Businformationen nicht möglich, da andere Prozesse "
                         "die Schnittstelle belegen",
                         "07.12.2026 09:05:06 Loggen gestartet",
                         "07.12.2026 09:05:07 Loggen gestoppt, die Verbindung zum Klingport ist unterbrochen",
                         ""}));
    }

    void autoScroll()
    {
        Hauptfenster h;
        QPlainTextEdit* fenster = h.fenster.loggen->txt_Log;
        h.fenster.loggen->chk_AutoSroll->setChecked(false);
        for (int i = 0; i < 50; ++i)
            h.fenster.loggen->log().anhängen("Zeile\r\n");
        QCOMPARE(fenster->textCursor().position(), 0);
        h.fenster.loggen->chk_AutoSroll->setChecked(true);
        h.fenster.loggen->log().anhängen("neu\r\n");
        QCOMPARE(fenster->textCursor().position(), fenster->document()->characterCount() - 1);
        QCOMPARE(fenster->toPlainText(), QString("Zeile\n").repeated(50) + "neu\n");
    }

    // Saved, the log gains an empty line; opened, lines may end in CR LF, CR or LF. A failure keeps
    // the log.
    void dateien()
    {
        Hauptfenster h;
        const QString pfad = h.sicherungsordner.filePath("sitzung.log");
        h.klicken("cmd_SaveLog"); // the dialog gave no name: nothing happens
        h.fenster.loggen->log().anhängen("07.12.2026 09:05:00 Tür öffnen\r\n");
        h.dateien.names = {pfad, pfad, dateiAnlegen(h.sicherungsordner.filePath("b.log"), "a\nb\rc"),
                           h.sicherungsordner.filePath("fehlt/x.log"),
                           h.sicherungsordner.filePath("fehlt.log")};
        h.klicken("cmd_SaveLog");
        QCOMPARE(dateiinhalt(pfad), "07.12.2026 09:05:00 T\xFCr \xF6"
                                    "ffnen\r\n\r\n");
        h.klicken("cmd_OpenLog");
        QCOMPARE(h.log(), "07.12.2026 09:05:00 Tür öffnen\r\n\r\n");
        QCOMPARE(h.dateien.startPaths.last(), pfad); // the dialog keeps its last name
        h.klicken("cmd_OpenLog");
        QCOMPARE(h.log(), "a\r\nb\r\nc\r\n");
        h.klicken("cmd_SaveLog");
        h.klicken("cmd_OpenLog");
        QCOMPARE(h.meldungen.texts(),
                 QStringList({"Die Logdatei \"x.log\" konnte nicht gespeichert werden.",
                              "Die Logdatei \"fehlt.log\" konnte nicht gelesen werden."}));
        QCOMPARE(h.meldungen.shown[0].icon, platform::Icon::Critical);
        QCOMPARE(h.log(), "a\r\nb\r\nc\r\n");
    }

    // The log under its heading, each line indented, in the printer's own font; no length is too long.
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
        QCOMPARE(h.drucker.gedruckt,
                 QList<platform::Druckdokument>({{"Laser", "", 10, QPageLayout::Portrait, gedruckt}}));
        QVERIFY(h.meldungen.shown.isEmpty());
    }
};

QTEST_MAIN(tst_Loggen)
#include "tst_loggen.moc"
