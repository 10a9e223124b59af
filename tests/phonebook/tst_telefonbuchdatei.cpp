// The phone book file and printout: the text byte for byte, loading and its refusals, the grid's
// selection around both, and printing.

#include "Hauptfenster.h"
#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"
#include "Telefonbuchdatei.h"
#include "Testdaten.h"
#include "Windows1252.h"

#include <QTableView>
#include <QTest>

Q_DECLARE_METATYPE(Telefonbuch)

namespace {

const QString Leer = "00-00-00-00-00-00-00-00";

Telefonbuch gefüllt()
{
    Telefonbuch buch;
    buch[0] = {"Müller Bäckerei",        "0301234567", "01701234567", "1", "2", "gefangen",
               "12-34-56-78-9A-00-00-00"};
    buch[19] = {"Günter Weiß-Schröder",   "123456789012345678901234", "", "3", "9", "gefangen",
                "00-0B-00-00-00-00-00-00"};
    return buch;
}

// The empty phone book's file with line `zeile` (from 1) replaced.
QByteArray mitZeile(int zeile, const QByteArray& neu)
{
    QList<QByteArray> zeilen = testdatei("leer.kpb").split('\n');
    zeilen[zeile - 1] = neu + '\r';
    return zeilen.join('\n');
}

QByteArray eintrag(const QByteArray& felder)
{
    return "\t1\t" + felder;
}

} // namespace

class tst_Telefonbuchdatei : public QObject {
    Q_OBJECT
private slots:
    void texte_data()
    {
        QTest::addColumn<Telefonbuch>("telefonbuch");
        QTest::addColumn<QString>("name");
        QTest::newRow("leer") << Telefonbuch{} << "leer.kpb";
        QTest::newRow("gefüllt") << gefüllt() << "gefuellt.kpb";
    }
    void texte()
    {
        QFETCH(Telefonbuch, telefonbuch);
        QFETCH(QString, name);
        QCOMPARE(TelefonbuchDateiinhalt(telefonbuch), testdatei(name));
        const auto gelesen = TelefonbuchAusDatei(testdatei(name));
        QVERIFY(std::holds_alternative<Telefonbuch>(gelesen));
        QVERIFY(std::get<Telefonbuch>(gelesen) == telefonbuch);
    }

    // Blanks at the end of a cell are lost, inner ones stay; a cell wider than its field makes
    // its line longer.
    void blanksUndBreite()
    {
        Telefonbuch buch;
        buch[0].Teilnehmer = "  Max  Muster  ";
        const Telefonbuch gelesen = std::get<Telefonbuch>(TelefonbuchAusDatei(TelefonbuchDateiinhalt(buch)));
        QCOMPARE(gelesen[0].Teilnehmer, "  Max  Muster");
        buch[1].Teilnehmer = "Ein Name, länger als sein Feld";
        QVERIFY(TelefonbuchAlsText(buch).contains("\t2\tEin Name, länger als sein Feld\t" + QString(26, ' ') +
                                                  '\t'));
    }

    void abgelehnt_data()
    {
        QTest::addColumn<QByteArray>("datei");
        QTest::addColumn<QString>("fehler");
        const QByteArray rest = "\t\t\t0  \t0              \t00-00-00-00-00-00-00-00 \t";
        QTest::newRow("zu kurz") << testdatei("leer.kpb").split('\n').mid(0, 20).join('\n') + '\n'
                                 << "Zeile 21: Die Zeile fehlt.";
        QTest::newRow("ohne Tabulatoren") << mitZeile(9, "\t1 Name 0301 0302 0 0 00-00-00-00-00-00-00-00")
                                          << "Zeile 9: Es fehlen Tabulatoren.";
        QTest::newRow("Trennlinie fehlt")
            << testdatei("leer.kpb").replace("\t" + QByteArray(143, '-') + "\r\n", "")
            << "Zeile 8: Die Trennlinie fehlt.";
        QTest::newRow("Bezeichnung zu lang") << mitZeile(9, eintrag("123456789012345678901" + rest))
                                             << "Zeile 9: Die Bezeichnung ist länger als 20 Zeichen.";
        QTest::newRow("Nummer zu lang")
            << mitZeile(63 - 1, "\t50\t\t\t1234567890123456789012345\t0\t0\t" + Leer.toLatin1() + " \t")
            << "Zeile 62: Eine Telefonnummer ist länger als 24 Zeichen.";
        QTest::newRow("A/B 4") << mitZeile(9, eintrag("\t\t\t4\t0\t00-00-00-00-00-00-00-00 \t"))
                               << "Zeile 9: A/B ist nicht 0 bis 3.";
        QTest::newRow("Türstation 12") << mitZeile(9, eintrag("\t\t\t0\t12\t00-00-00-00-00-00-00-00 \t"))
                                       << "Zeile 9: Die Türstation ist nicht 0 bis 9.";
        QTest::newRow("Türstation leer") << mitZeile(9, eintrag("\t\t\t0\t\t00-00-00-00-00-00-00-00 \t"))
                                         << "Zeile 9: Die Türstation ist nicht 0 bis 9.";
        QTest::newRow("Tastercode") << mitZeile(9, eintrag("\t\t\t0\t0\t00-0b-00-00-00-00-00-00 \t"))
                                    << "Zeile 9: Der Tastercode hat nicht die Form 00-00-00-00-00-00-00-00.";
    }
    // Refused with the line named, and the grid and its current entry stay as they were.
    void abgelehnt()
    {
        QFETCH(QByteArray, datei);
        QFETCH(QString, fehler);
        Hauptfenster h;
        h.dateien.names = {dateiAnlegen(h.sicherungsordner.filePath("buch.kpb"), datei)};
        TelefonbuchTab& tab = *h.fenster.telefonbuch;
        tab.modell().setTelefonbuch(gefüllt());
        tab.zeileMarkieren(7);
        h.klicken("cmd_TelbuchAusDateiLaden");
        QVERIFY(tab.modell().telefonbuch() == gefüllt());
        QCOMPARE(tab.aktuelleZeile(), 7);
        QCOMPARE(h.meldungen.shown.size(), 1);
        QCOMPARE(h.meldungen.shown[0].text,
                 "Die Datei \"buch.kpb\" ist kein Klingport-Telefonbuch und wurde nicht geladen.\r\n" +
                     fehler);
        QCOMPARE(h.meldungen.shown[0].icon, platform::Icon::Exclamation);
    }

    // Through the window: saved, loaded again and printed, landscape in 8 points; the current entry stays,
    // shown as the whole row, and after printing from its first cell to the address. The log printout
    // that follows keeps the font and the orientation and sets its size.
    void speichernLadenDrucken()
    {
        Hauptfenster h;
        const QString pfad = h.sicherungsordner.filePath("buch.kpb");
        h.dateien.names = {pfad, pfad, h.sicherungsordner.filePath("fehlt/buch.kpb")};
        h.drucker.names = {"Laser"};
        h.drucker.setCurrent("Laser");
        TelefonbuchTab& tab = *h.fenster.telefonbuch;
        tab.modell().setTelefonbuch(gefüllt());
        tab.zeileMarkieren(5, 4);
        h.klicken("cmd_TelbuchInDateiSpeichern");
        QCOMPARE(dateiinhalt(pfad), testdatei("gefuellt.kpb"));
        QCOMPARE(tab.MSFlexGrid1->currentIndex(), tab.modell().index(4, 0));
        QCOMPARE(tab.MSFlexGrid1->selectionModel()->selectedIndexes().size(), 8);
        tab.TelefonbuchTabelleAufbauen();
        tab.zeileMarkieren(3);
        h.klicken("cmd_TelbuchAusDateiLaden");
        QVERIFY(tab.modell().telefonbuch() == gefüllt());
        QCOMPARE(tab.aktuelleZeile(), 3);
        h.klicken("cmd_TelbuchDrucken");
        h.klicken("cmd_LoggDrucken");
        QCOMPARE(h.drucker.gedruckt.size(), 2);
        QCOMPARE(h.drucker.gedruckt[0],
                 (platform::Druckdokument{"Laser", "Courier New", 8, QPageLayout::Landscape,
                                          windows1252::dekodieren(testdatei("gefuellt.kpb"))}));
        QCOMPARE(tab.MSFlexGrid1->currentIndex(), tab.modell().index(2, 1));
        QCOMPARE(tab.MSFlexGrid1->selectionModel()->selectedIndexes().size(), 7);
        const platform::Druckdokument& log = h.drucker.gedruckt[1];
        QVERIFY(log.schriftart == "Courier New" && log.schriftgröße == 10 &&
                log.ausrichtung == QPageLayout::Landscape);
        QVERIFY(h.meldungen.shown.isEmpty());
        h.klicken("cmd_TelbuchAusDateiLaden");
        QCOMPARE(h.meldungen.texts(),
                 QStringList{"Die Telefonbuchdatei \"buch.kpb\" konnte nicht gelesen werden."});
        QCOMPARE(h.meldungen.shown[0].icon, platform::Icon::Critical);
    }
};

QTEST_MAIN(tst_Telefonbuchdatei)
#include "tst_telefonbuchdatei.moc"
