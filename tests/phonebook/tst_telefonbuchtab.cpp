// The phone book tab in the main window: the entry editor (opening, typing, warnings, OK and
// Abbrechen), deleting an entry, the file (byte for byte as in tests/daten, loaded again, every
// refused file) and the printout, with the grid's selection around them. The device commands:
// tst_konfigurationstab.

#include "Hauptfenster.h"
#include "TelefonbuchBefehle.h"
#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"
#include "Telefonbuchdatei.h"
#include "Testdaten.h"
#include "Windows1252.h"
#include "frm_Telbuch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using platform::Icon;
using platform::Reply;

namespace {

const Telefonbucheintrag Gelernt{"Pforte", "0301", "", "2", "4", "gefangen", "1A-2B-3C-50-07-00-00-00"};

struct Grid : Hauptfenster {
    TelefonbuchTab& tab = *fenster.telefonbuch;

    Grid() { tab.modell().setEintrag(3, Gelernt); }
    // The current entry and how many of its cells are selected.
    QPair<int, int> auswahl() const
    {
        return {tab.aktuelleZeile(), int(tab.MSFlexGrid1->selectionModel()->selectedIndexes().size())};
    }
};

// The empty phone book's file with line `zeile` (from 1) replaced.
QByteArray mitZeile(int zeile, const QByteArray& neu)
{
    QList<QByteArray> zeilen = testdatei("leer.kpb").split('\n');
    zeilen[zeile - 1] = neu + '\r';
    return zeilen.join('\n');
}

// Line 9, entry 1, with the cells after its number.
QByteArray eintrag1(const QByteArray& felder)
{
    return mitZeile(9, "\t1\t" + felder);
}

} // namespace

class tst_Telefonbuchtab : public QObject {
    Q_OBJECT
private slots:
    // With delayed forwarding every click of an answering-machine box warns, and so does loading; OK
    // needs a door station. The main window stays locked until Abbrechen, which discards.
    void warnungen()
    {
        Grid g;
        g.control<QLineEdit>("txt_Masterumleitungsnummer")->setText("0");
        g.klicken("obu_verzögert");
        g.tab.modell().setEintrag(2, {"", "", "", "3"});
        frm_Telbuch& editor = g.editor(2);
        QCOMPARE(editor.cbo_Türstelle->currentText(), "Bitte wählen");
        editor.chk_ab_variante1->click();
        QVERIFY(!editor.chk_ab_variante1->isChecked()); // the warning undoes nothing
        editor.OKButton->click();
        QVERIFY(editor.isVisible() && !g.fenster.isEnabled());
        const QString ab =
            "Anrufbeantworterfunktion bei gleichzeitig verzögerter Masterrufumleitung nicht möglich";
        // The first is the configuration's own, about the answering machine already in the phone book.
        QCOMPARE(g.meldungen.texts().mid(1), QStringList(3, ab)
                                                 << "Bitte wählen Sie eine Türstation zwischen 1 und 9 aus");
        QVERIFY(g.meldungen.shown[1].icon == Icon::Information &&
                g.meldungen.shown[4].icon == Icon::Exclamation);
        editor.CancelButton->click();
        QVERIFY(g.tab.modell().eintrag(2) == (Telefonbucheintrag{"", "", "", "3"}));
        QVERIFY(g.fenster.isEnabled());
        QTRY_VERIFY(!g.fenster.telefonbuchBefehle->editor());
    }

    // OK takes what was typed, within the fields' limits, and keeps the taught call button; a pasted
    // number that is none is emptied when its field is left.
    void okSchreibtDenEintrag()
    {
        Grid g;
        frm_Telbuch& editor = g.editor(3);
        QCOMPARE(editor.cbo_Türstelle->currentIndex(), 4);
        editor.txt_Bezeichnung->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(editor.txt_Bezeichnung, "Haupteingang Nord-Ost 1");
        editor.txt_TelbuchEintragVariante1->setText("12a");
        editor.txt_TelbuchEintragVariante1->setFocus(Qt::TabFocusReason);
        editor.txt_TelbuchEintragVariante2->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(editor.txt_TelbuchEintragVariante2, "0,p*#Ff9x" + QString(30, '1'));
        editor.chk_ab_variante1->click();
        editor.cbo_Türstelle->setCurrentIndex(9);
        editor.OKButton->click();
        QCOMPARE(g.meldungen.texts(), QStringList(2, "Bitte nur Zahlen eingeben!"));
        const Telefonbucheintrag erwartet{
            "Haupteingang Nord-Os", "", "0,p*#Ff9" + QString(16, '1'), "3", "9", "gefangen", Gelernt.Adresse};
        QVERIFY(g.tab.modell().eintrag(3) == erwartet);
        QCOMPARE(g.auswahl(), qMakePair(3, 8)); // the main window is back
    }

    void löschen_data()
    {
        QTest::addColumn<bool>("perMenü");
        QTest::addColumn<Reply>("antwort");
        QTest::newRow("Knopf, nein") << false << Reply::No;
        QTest::newRow("Menü, ja") << true << Reply::Yes;
    }
    // A click on a cell selects its whole entry; after the question the menu's way selects only up to
    // the door station.
    void löschen()
    {
        QFETCH(bool, perMenü);
        QFETCH(Reply, antwort);
        Grid g;
        const QPoint mitte = g.tab.MSFlexGrid1->visualRect(g.tab.modell().index(2, 3)).center();
        QTest::mouseClick(g.tab.MSFlexGrid1->viewport(), Qt::LeftButton, {}, mitte);
        QCOMPARE(g.auswahl(), qMakePair(3, 8));
        g.meldungen.replies = {antwort};
        if (perMenü)
            g.tab.flexmenü->findChild<QAction*>("Löschen")->trigger();
        else
            g.klicken("cmd_TelbuchLöschen");
        QCOMPARE(g.meldungen.texts(), QStringList{"Möchten Sie den Telefonbucheintrag wirklich löschen?"});
        QVERIFY(g.meldungen.shown[0].icon == Icon::None &&
                g.meldungen.shown[0].buttons == platform::Buttons::YesNo);
        QVERIFY(g.tab.modell().eintrag(3) == (antwort == Reply::Yes ? Telefonbucheintrag{} : Gelernt));
        QCOMPARE(g.auswahl(), qMakePair(3, perMenü ? 5 : 8));
    }

    // Blanks at the end of a cell are lost, those before and inside it stay.
    void blanks()
    {
        Telefonbuch buch;
        buch[0].Teilnehmer = "  Max  Muster  ";
        const Telefonbuch gelesen = std::get<Telefonbuch>(TelefonbuchAusDatei(TelefonbuchDateiinhalt(buch)));
        QCOMPARE(gelesen[0].Teilnehmer, "  Max  Muster");
    }

    void abgelehnt_data()
    {
        QTest::addColumn<QByteArray>("datei");
        QTest::addColumn<QString>("fehler");
        QTest::newRow("zu kurz") << testdatei("leer.kpb").split('\n').mid(0, 20).join('\n') + '\n'
                                 << "Zeile 21: Die Zeile fehlt.";
        QTest::newRow("ohne Tabulatoren") << mitZeile(9, "\t1 Name 0301 0302 0 0 00-00-00-00-00-00-00-00")
                                          << "Zeile 9: Es fehlen Tabulatoren.";
        QTest::newRow("Trennlinie fehlt")
            << testdatei("leer.kpb").replace("\t" + QByteArray(143, '-') + "\r\n", "")
            << "Zeile 8: Die Trennlinie fehlt.";
        QTest::newRow("Bezeichnung zu lang")
            << eintrag1("123456789012345678901\t\t\t0  \t0              \t00-00-00-00-00-00-00-00 \t")
            << "Zeile 9: Die Bezeichnung ist länger als 20 Zeichen.";
        QTest::newRow("Nummer zu lang")
            << mitZeile(62, "\t50\t\t\t1234567890123456789012345\t0\t0\t00-00-00-00-00-00-00-00 \t")
            << "Zeile 62: Eine Telefonnummer ist länger als 24 Zeichen.";
        QTest::newRow("Buchstabe in Nummer") << eintrag1("\t0301\t0301a\t0\t0\t00-00-00-00-00-00-00-00 \t")
                                             << "Zeile 9: Eine Telefonnummer enthält andere Zeichen als "
                                                "Ziffern und , p P * # F f.";
        QTest::newRow("ÿ") << eintrag1("M\xFF\t\t\t0\t0\t00-00-00-00-00-00-00-00 \t")
                           << "Zeile 9: Das Zeichen \"ÿ\" kann der Klingport nicht speichern.";
        QTest::newRow("A/B 4") << eintrag1("\t\t\t4\t0\t00-00-00-00-00-00-00-00 \t")
                               << "Zeile 9: A/B ist nicht 0 bis 3.";
        QTest::newRow("Türstation 12") << eintrag1("\t\t\t0\t12\t00-00-00-00-00-00-00-00 \t")
                                       << "Zeile 9: Die Türstation ist nicht 0 bis 9.";
        QTest::newRow("Tastercode") << eintrag1("\t\t\t0\t0\t00-0b-00-00-00-00-00-00 \t")
                                    << "Zeile 9: Der Tastercode hat nicht die Form 00-00-00-00-00-00-00-00.";
    }
    // Refused with the line named, and the grid and its current entry stay as they were.
    void abgelehnt()
    {
        QFETCH(QByteArray, datei);
        QFETCH(QString, fehler);
        Grid g;
        g.dateien.names = {dateiAnlegen(g.sicherungsordner.filePath("buch.kpb"), datei)};
        g.tab.zeileMarkieren(7);
        g.klicken("cmd_TelbuchAusDateiLaden");
        QVERIFY(g.tab.modell().eintrag(3) == Gelernt);
        QCOMPARE(g.tab.aktuelleZeile(), 7);
        QCOMPARE(
            g.meldungen.texts(),
            QStringList{"Die Datei \"buch.kpb\" ist kein Klingport-Telefonbuch und wurde nicht geladen.\r\n" +
                        fehler});
        QCOMPARE(g.meldungen.shown[0].icon, Icon::Exclamation);
    }

    void ladenSpeichernDrucken_data()
    {
        QTest::addColumn<QString>("datei"); // in tests/daten
        QTest::addColumn<int>("typ");       // chosen in the dialogs
        QTest::addColumn<QString>("name");  // saved as
        QTest::newRow("Telefonbuch") << "gefuellt.kpb" << 0 << "buch.kpb";
        QTest::newRow("Tabelle") << "gefuellt.csv" << 0 << "buch.csv";
        QTest::newRow("Tabelle gewählt") << "gefuellt.csv" << 1 << "buch.txt";
    }
    // Loaded, saved again as it was and printed, landscape in 8 points; the current entry stays, shown
    // as the whole row, and after printing from its first cell to the address. A table is one by its
    // name or by the type chosen.
    void ladenSpeichernDrucken()
    {
        QFETCH(QString, datei);
        QFETCH(int, typ);
        QFETCH(QString, name);
        Grid g;
        const QString pfad = g.sicherungsordner.filePath(name);
        g.dateien.names = {KLINGPORT_TESTDATEN "/" + datei, pfad,
                           g.sicherungsordner.filePath("fehlt/" + name)};
        g.dateien.type = typ;
        g.drucker.names = {"Laser"};
        g.drucker.setCurrent("Laser");
        g.tab.zeileMarkieren(3);
        g.klicken("cmd_TelbuchAusDateiLaden");
        QCOMPARE(g.tab.aktuelleZeile(), 3);
        QVERIFY(g.tab.modell().eintrag(20) ==
                (Telefonbucheintrag{"Günter Weiß-Schröder", "123456789012345678901234", "", "3", "9",
                                    "gefangen", "00-0B-00-00-00-00-00-00"}));
        g.tab.zeileMarkieren(5, 4);
        g.klicken("cmd_TelbuchInDateiSpeichern");
        QCOMPARE(dateiinhalt(pfad), testdatei(datei));
        QCOMPARE(g.dateien.filters[1], "Welko Klingport Telefonbuch (*.kpb)|*.kpb|Tabelle (*.csv)|*.csv");
        QCOMPARE(g.auswahl(), qMakePair(5, 8));
        g.klicken("cmd_TelbuchDrucken");
        QCOMPARE(g.drucker.gedruckt,
                 QList<platform::Druckdokument>({{"Laser", "Courier New", 8, QPageLayout::Landscape,
                                                  windows1252::dekodieren(testdatei("gefuellt.kpb"))}}));
        QCOMPARE(g.tab.MSFlexGrid1->currentIndex(), g.tab.modell().index(4, 1));
        QCOMPARE(g.auswahl(), qMakePair(5, 7));
        g.klicken("cmd_TelbuchAusDateiLaden");
        QCOMPARE(g.meldungen.texts(),
                 QStringList{"Die Telefonbuchdatei \"" + name + "\" konnte nicht gelesen werden."});
    }
};

QTEST_MAIN(tst_Telefonbuchtab)
#include "tst_telefonbuchtab.moc"
