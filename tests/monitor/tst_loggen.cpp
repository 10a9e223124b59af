// Bus logging: the decoder of the device's telegram reports, the link's cutting of the line into
// reports, and the log tab in the main window on a scripted link (logging on and off, auto-scroll, log
// files on disk and the printout). Logging against the device: tst_geraet.

#include "Hauptfenster.h"
#include "LinkEngine.h"
#include "LoggenBefehle.h"
#include "Telegramm.h"
#include "Testdaten.h"
#include "Windows1252.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

class tst_Loggen : public QObject {
    Q_OBJECT
private slots:
    void dekodieren_data()
    {
        QTest::addColumn<QByteArray>("bericht");
        QTest::addColumn<QString>("text");
        const QString s = "Klingport sendet: ", e = "Klingport empfängt: ", t = "Klingport ruft: ";
        const QString inaktiv = " mit inaktiver Anrufbeantworterfunktion", lokal = "den lokalen Teilnehmer";
        const QString master = t + "mit der Masterrufumleitung ", index = t + "aus Telefonbuch mit ";
        const QString extern_ = "einen externen Teilnehmer mit der Rufnummer: ";
        // A report as the line brings it, ended by CR LF; some go on past their last field.
        const auto zeile = [](const char* bericht, const QString& text) {
            QTest::newRow(bericht) << QByteArray(bericht) + "\r\n" << text;
        };
        zeile("S: 12 0A1B2C3D", s + "Internruf an 0A1B2C3D");
        zeile("S: 21 0A1B2C3D", s + "Türgesprächsbeginn mit 0A1B2C3D");
        zeile("S: 22 0A1B2C3D", s + "Interngesprächsbeginn mit 0A1B2C3D");
        zeile("S: 20 0A1B2C3D", s + "Gesprächsende mit 0A1B2C3D");
        zeile("S: 31 0A1B2C3D", s + "Tür öffnen an 0A1B2C3D");
        zeile("S: 42 0A1B2C3D FF 00", s + "Schaltfunktion EIN an 0A1B2C3D");
        zeile("S: 42 0A1B2C3D 00", s + "Schaltfunktion AUS an 0A1B2C3D");
        zeile("S: 81", s + "Prüfgerätemodus EIN");
        zeile("S: 82", s + "Prüfgerätemodus AUS");
        zeile("S: A0 FF", s + "Audioeingang TLN EIN");
        zeile("S: A0 00", s + "Audioeingang TLN AUS");
        zeile("S: A1 FF 00", s + "Sendestufe an Bus EIN");
        zeile("S: A1 ff", s + "Sendestufe an Bus AUS");
        zeile("S: A2", s + "Reset des Systems");
        zeile("S: A3 0A1B2C3D", s + "Eingehender Ruf ist im Tel.Buch bekannt ");
        zeile("S: 99 0A1B2C3D", "S: 99 0A1B2C3D\r\n");
        zeile("E: 20 0A1B2C3D 01", e + "Gesprächsende von 0A1B2C3D Subadresse 01");
        zeile("E: 11 0A1B2C3D 02", e + "Türruf von 0A1B2C3D Subadresse 02");
        zeile("E: 12 0A1B2C3D 03 00", e + "Internruf von 0A1B2C3D Subadresse 03");
        zeile("E: 21 0A1B2C3D", e + "Türrufannahme von 0A1B2C3D");
        zeile("E: 22 0A1B2C3D", e + "Internrufannahme von 0A1B2C3D");
        zeile("E: 01 0A1B2C3D", e + "Systemprogrammierung EIN 0A1B2C3D");
        zeile("E: 00 0A1B2C3D", e + "Systemprogrammierung AUS 0A1B2C3D");
        zeile("E: 03 0A1B2C3D", e + "Aktorprogrammierung EIN 0A1B2C3D");
        zeile("E: 02 0A1B2C3D", e + "Aktorprogrammierung AUS 0A1B2C3D");
        zeile("E: 7F", "E: 7F\r\n");
        zeile("T: LOCAL 00 01 01", master + lokal + " mit aktiver Anrufbeantworterfunktion");
        zeile("T: LOCAL 0A 01 00", index + "Index 10 und aktivierter Variante 2 " + lokal + inaktiv);
        zeile("T: DIAL  32 00 00 - 0301234567",
              index + "Index 50 und aktivierter Variante 1 " + extern_ + "''0301234567''" + inaktiv);
        zeile("T: DIAL  00 00 07", master + extern_ + "''''");
        zeile("T: OTHER 01 02 02", index + "Index 1 ");
        zeile("T: LOCAL ZZ 00 00",
              index + "ungültigem Index \"ZZ\" und aktivierter Variante 1 " + lokal + inaktiv);
        zeile("T: LO", index + "ungültigem Index \"\" ");
        zeile("X: 12 0A1B2C3D", "");
        // A CR or LF inside a report would split its log line.
        zeile("S=00\n\r1", "S=00  1\r\n");
        zeile("T: DIAL  00 00 07 - 030\r12", master + extern_ + "''030 12''");
        QTest::newRow("E 11 ohne Zeilenende")
            << QByteArray("E: 11 0A1B2C3D") << e + "Türruf von 0A1B2C3D Subadresse ";
        QTest::newRow("S ohne Zeilenende") << QByteArray("S") << QString("S");
        QTest::newRow("leer") << QByteArray() << QString();
    }
    void dekodieren()
    {
        QFETCH(QByteArray, bericht);
        QTEST(BerichtDekodieren(bericht), "text");
    }

    // The link cuts reports at CR LF however the line hands them over; a report cut by logging off is gone.
    void zeilenende()
    {
        const QByteArray zwei = "S: 31 0A1B2C3D\r\nT: DIAL  01 00 01 - 0301\r\nS: 3";
        kommunikation::LinkEngine engine;
        for (int stück : {int(zwei.size()), 1, 7}) {
            engine.LoggenEin();
            QList<QByteArray> berichte;
            for (qsizetype i = 0; i < zwei.size(); i += stück) {
                engine.receive(zwei.mid(i, stück), 0);
                for (const kommunikation::Effekt& effekt : engine.takeEffects())
                    if (effekt.art == kommunikation::Effekt::Art::Berichtszeile)
                        berichte.append(effekt.bytes);
            }
            engine.LoggenAus(0);
            QCOMPARE(berichte, QList<QByteArray>({"S: 31 0A1B2C3D\r\n", "T: DIAL  01 00 01 - 0301\r\n"}));
        }
    }

    // Clearing the log leaves logging on, a lost line ends it, a refused start leaves "Start".
    void startUndStop()
    {
        Hauptfenster h;
        h.klicken("cmd_StartLog");
        h.klicken("cmd_DeleteLog");
        h.fenster.loggenBefehle->verbindungVerloren();
        h.link.modus = 9;
        h.klicken("cmd_StartLog");
        QCOMPARE(h.fenster.loggen->cmd_StartLog->text(), "Start");
        QCOMPARE(h.link.aufrufe, QStringList(2, "LoggenEin"));
        QCOMPARE(
            h.log().split("\r\n"),
            QStringList({"07.12.2026 09:05:01 Loggen gestoppt, die Verbindung zum Klingport ist unterbrochen",
                         "07.12.2026 09:05:02 Loggen gestartet",
                         "07.12.2026 09:05:02 Loggen von Businformationen nicht möglich, da andere Prozesse "
                         "die Schnittstelle belegen",
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

    // Saved, the log gains an empty line; opened, lines may end in CR LF or CR, the last in nothing.
    // A failure keeps the log, which prints under its heading, each line indented, in the printer's
    // own font and orientation.
    void dateienUndDruck()
    {
        Hauptfenster h;
        const QString pfad = h.sicherungsordner.filePath("sitzung.log");
        h.klicken("cmd_SaveLog"); // the dialog gave no name: nothing happens
        h.fenster.loggen->log().anhängen("07.12.2026 09:05:00 Türruf\r\n");
        const QByteArray zweiZeilen = "07.12.2026 09:05:00 Loggen gestartet\r07.12.2026 09:05:01 T\xFCrruf";
        h.dateien.names = {pfad, pfad, dateiAnlegen(h.sicherungsordner.filePath("b.log"), zweiZeilen),
                           h.sicherungsordner.filePath("fehlt.log")};
        h.drucker.names = {"Laser"};
        h.drucker.setCurrent("Laser");
        h.klicken("cmd_SaveLog");
        QCOMPARE(dateiinhalt(pfad), "07.12.2026 09:05:00 T\xFCrruf\r\n\r\n");
        h.klicken("cmd_OpenLog");
        QCOMPARE(h.log(), "07.12.2026 09:05:00 Türruf\r\n\r\n");
        h.klicken("cmd_OpenLog");
        h.klicken("cmd_OpenLog");
        QCOMPARE(h.meldungen.texts(), QStringList{"Die Logdatei \"fehlt.log\" konnte nicht gelesen werden."});
        h.klicken("cmd_LoggDrucken");
        QCOMPARE(h.drucker.gedruckt,
                 QList<platform::Druckdokument>({{"Laser", "", 10, QPageLayout::Portrait,
                                                  windows1252::dekodieren(testdatei("log.druck"))}}));
    }
};

QTEST_MAIN(tst_Loggen)
#include "tst_loggen.moc"
