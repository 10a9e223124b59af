// Editing the phone book in the main window's grid: the entry editor (opening, typing, warnings, OK,
// Abbrechen and the close box) and deleting an entry. The device commands: tst_konfigurationsbefehle.

#include "Hauptfenster.h"
#include "KonfigurationTab.h"
#include "TelefonbuchBefehle.h"
#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"
#include "frm_Telbuch.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using platform::Reply;

namespace {

const Telefonbucheintrag Gelernt{"Pforte", "0301", "", "2", "4", "gefangen", "1A-2B-3C-50-07-00-00-00"};

struct Grid : Hauptfenster {
    TelefonbuchTab& tab = *fenster.telefonbuch;

    Grid() { tab.modell().setEintrag(3, Gelernt); }
    // Opens the editor on entry `nummer` by the button.
    frm_Telbuch& öffnen(int nummer)
    {
        tab.zeileMarkieren(nummer);
        klicken("cmd_TelbuchBearbeiten");
        frm_Telbuch* editor = fenster.telefonbuchBefehle->editor();
        QApplication::setActiveWindow(editor); // so that the focus moves as a user moves it
        if (!QTest::qWaitForWindowActive(editor))
            qWarning("the editor did not become active");
        return *editor;
    }
    // The current entry and how many of its cells are selected.
    QPair<int, int> auswahl() const
    {
        return {tab.aktuelleZeile(), int(tab.MSFlexGrid1->selectionModel()->selectedIndexes().size())};
    }
    void klickAuf(int zeile, int spalte, bool doppelt = false)
    {
        const QPoint mitte = tab.MSFlexGrid1->visualRect(tab.modell().index(zeile - 1, spalte)).center();
        QTest::mouseClick(tab.MSFlexGrid1->viewport(), Qt::LeftButton, {}, mitte);
        if (doppelt)
            QTest::mouseDClick(tab.MSFlexGrid1->viewport(), Qt::LeftButton, {}, mitte);
    }
};

} // namespace

class tst_Telefonbuchbefehle : public QObject {
    Q_OBJECT
private slots:
    // By button, menu and double click; the main window is locked while it is open.
    void openingLocksTheWindow()
    {
        Grid g;
        const std::function<void()> wege[] = {
            [&] { g.klicken("cmd_TelbuchBearbeiten"); },
            [&] { g.tab.flexmenü->findChild<QAction*>("Bearbeiten")->trigger(); },
            [&] { g.klickAuf(3, 1, true); }};
        for (const auto& öffnen : wege) {
            öffnen();
            frm_Telbuch* editor = g.fenster.telefonbuchBefehle->editor();
            QVERIFY(editor && editor->isVisible() && !g.fenster.isEnabled());
            editor->CancelButton->click();
            QVERIFY(g.fenster.isEnabled());
            QTRY_VERIFY(!g.fenster.telefonbuchBefehle->editor());
        }
        QCOMPARE(g.tab.aktuelleZeile(), 3);
        QVERIFY(g.tab.modell().eintrag(3) == Gelernt);
    }

    void emptyEntryNeedsADoorStation()
    {
        Grid g;
        frm_Telbuch& editor = g.öffnen(7);
        QCOMPARE(editor.cbo_Türstelle->currentText(), "Bitte wählen");
        editor.OKButton->click();
        QCOMPARE(g.meldungen.texts(), QStringList{"Bitte wählen Sie eine Türstation zwischen 1 und 9 aus"});
        QCOMPARE(g.meldungen.shown[0].icon, platform::Icon::Exclamation);
        QVERIFY(editor.isVisible() && !g.fenster.isEnabled());
        QVERIFY(g.tab.modell().eintrag(7) == Telefonbucheintrag{});
    }

    // OK takes what was typed, within the fields' limits, and keeps the taught call button; a pasted
    // number that is none is emptied when its field is left.
    void okSchreibtDenEintrag()
    {
        Grid g;
        frm_Telbuch& editor = g.öffnen(3);
        QVERIFY(!editor.chk_ab_variante1->isChecked() && editor.chk_ab_variante2->isChecked());
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
        QVERIFY(g.fenster.isEnabled());
        QCOMPARE(g.auswahl(), qMakePair(3, 8));
    }

    // With delayed forwarding every click of an answering-machine box warns, and so does loading.
    void anrufbeantworterWarnungen()
    {
        Grid g;
        g.fenster.konfiguration->txt_Masterumleitungsnummer->setText("0");
        g.fenster.konfiguration->obu_verzögert->click();
        g.tab.modell().setEintrag(2, {"", "", "", "3"});
        g.meldungen.shown.clear();
        frm_Telbuch& editor = g.öffnen(2);
        editor.chk_ab_variante1->click();
        QVERIFY(!editor.chk_ab_variante1->isChecked()); // the warning undoes nothing
        QCOMPARE(g.meldungen.texts(),
                 QStringList(3, "Anrufbeantworterfunktion bei gleichzeitig verzögerter Masterrufumleitung "
                                "nicht möglich"));
        QCOMPARE(g.meldungen.shown[0].icon, platform::Icon::Information);
        editor.close(); // the close box discards
        QCOMPARE(g.tab.modell().eintrag(2).Anrufbeantworter, "3");
        QVERIFY(g.fenster.isEnabled());
        Grid ohne;
        ohne.öffnen(1).chk_ab_variante2->click();
        QVERIFY(ohne.meldungen.shown.isEmpty());
    }

    void deleteEntry_data()
    {
        QTest::addColumn<bool>("perMenü");
        QTest::addColumn<Reply>("antwort");
        QTest::newRow("Knopf, ja") << false << Reply::Yes;
        QTest::newRow("Knopf, nein") << false << Reply::No;
        QTest::newRow("Menü, ja") << true << Reply::Yes;
    }
    // A click on a cell selects its whole entry; after the question the menu's way selects only up to
    // the door station.
    void deleteEntry()
    {
        QFETCH(bool, perMenü);
        QFETCH(Reply, antwort);
        Grid g;
        g.klickAuf(3, 3);
        QCOMPARE(g.auswahl(), qMakePair(3, 8));
        g.meldungen.replies = {antwort};
        if (perMenü)
            g.tab.flexmenü->findChild<QAction*>("Löschen")->trigger();
        else
            g.klicken("cmd_TelbuchLöschen");
        QCOMPARE(g.meldungen.texts(), QStringList{"Möchten Sie den Telefonbucheintrag wirklich löschen?"});
        QVERIFY(g.meldungen.shown[0].icon == platform::Icon::None &&
                g.meldungen.shown[0].buttons == platform::Buttons::YesNo);
        QVERIFY(g.tab.modell().eintrag(3) == (antwort == Reply::Yes ? Telefonbucheintrag{} : Gelernt));
        QCOMPARE(g.auswahl(), qMakePair(3, perMenü ? 5 : 8));
    }
};

QTEST_MAIN(tst_Telefonbuchbefehle)
#include "tst_telefonbuchbefehle.moc"
