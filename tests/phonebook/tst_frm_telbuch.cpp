// The entry editor on the main window's grid: opening, loading, typing, warnings, OK, Abbrechen and
// the close box.

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

namespace {

const QString Warnung =
    "Anrufbeantworterfunktion bei gleichzeitig verzögerter Masterrufumleitung nicht möglich";
const Telefonbucheintrag Gelernt{"Pforte", "0301", "", "2", "4", "gefangen", "1A-2B-3C-50-07-00-00-00"};

struct Editor : Hauptfenster {
    TelefonbuchTab& tab = *fenster.telefonbuch;

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
    void delayedForwarding()
    {
        fenster.konfiguration->txt_Masterumleitungsnummer->setText("0");
        fenster.konfiguration->obu_verzögert->click();
    }
};

} // namespace

class tst_Frm_Telbuch : public QObject {
    Q_OBJECT
private slots:
    void opensEveryWayAndLocksTheWindow()
    {
        Editor e;
        const QPoint zelle = e.tab.MSFlexGrid1->visualRect(e.tab.modell().index(2, 1)).center();
        const std::function<void()> wege[] = {
            [&] { e.klicken("cmd_TelbuchBearbeiten"); },
            [&] { e.tab.flexmenü->findChild<QAction*>("Bearbeiten")->trigger(); },
            [&] {
                QTest::mouseClick(e.tab.MSFlexGrid1->viewport(), Qt::LeftButton, {}, zelle);
                QTest::mouseDClick(e.tab.MSFlexGrid1->viewport(), Qt::LeftButton, {}, zelle);
            }};
        for (const auto& öffnen : wege) {
            öffnen();
            frm_Telbuch* editor = e.fenster.telefonbuchBefehle->editor();
            QVERIFY(editor && editor->isVisible());
            QCOMPARE(editor->windowTitle(), "Telefonbucheintrag");
            QVERIFY(!e.fenster.isEnabled());
            editor->CancelButton->click();
            QVERIFY(e.fenster.isEnabled());
            QTRY_VERIFY(!e.fenster.telefonbuchBefehle->editor());
        }
        QCOMPARE(e.tab.aktuelleZeile(), 3);
    }

    void emptyEntryNeedsADoorStation()
    {
        Editor e;
        frm_Telbuch& editor = e.öffnen(7);
        QVERIFY(editor.txt_Bezeichnung->text().isEmpty() &&
                editor.txt_TelbuchEintragVariante1->text().isEmpty());
        QVERIFY(!editor.chk_ab_variante1->isChecked() && !editor.chk_ab_variante2->isChecked());
        QCOMPARE(editor.cbo_Türstelle->currentText(), "Bitte wählen");
        QCOMPARE(editor.cbo_Türstelle->count(), 10);
        QStringList reihe; // the tab order
        QWidget* w = editor.txt_Bezeichnung;
        for (int schritt = 0; schritt < 100 && reihe.size() < 8; ++schritt, w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                reihe << w->objectName();
        QCOMPARE(reihe, QStringList({"txt_Bezeichnung", "txt_TelbuchEintragVariante1", "chk_ab_variante1",
                                     "txt_TelbuchEintragVariante2", "chk_ab_variante2", "cbo_Türstelle", "OKButton",
                                     "CancelButton"}));
        editor.OKButton->click();
        QCOMPARE(e.meldungen.texts(), QStringList{"Bitte wählen Sie eine Türstation zwischen 1 und 9 aus"});
        QCOMPARE(e.meldungen.shown[0].icon, platform::Icon::Exclamation);
        QVERIFY(editor.isVisible() && !e.fenster.isEnabled());
        QVERIFY(e.tab.modell().eintrag(7) == Telefonbucheintrag{});
    }

    void okWritesTheEditKeepsTheTaughtButton()
    {
        Editor e;
        e.tab.modell().setEintrag(3, Gelernt);
        frm_Telbuch& editor = e.öffnen(3);
        QVERIFY(!editor.chk_ab_variante1->isChecked() && editor.chk_ab_variante2->isChecked());
        QCOMPARE(editor.cbo_Türstelle->currentIndex(), 4);
        editor.txt_Bezeichnung->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(editor.txt_Bezeichnung, "Haupteingang Nord-Ost 1");
        editor.cbo_Türstelle->setCurrentIndex(9);
        editor.OKButton->click();
        Telefonbucheintrag erwartet = Gelernt;
        erwartet.Teilnehmer = "Haupteingang Nord-Os"; // 20 characters can be typed
        erwartet.Türstation = "9";
        QVERIFY(e.tab.modell().eintrag(3) == erwartet);
        QVERIFY(e.fenster.isEnabled());
        QCOMPARE(e.tab.MSFlexGrid1->selectionModel()->selectedIndexes().size(), 8);
        QVERIFY(e.meldungen.shown.isEmpty());
    }

    void numberFields()
    {
        Editor e;
        frm_Telbuch& editor = e.öffnen(1);
        QLineEdit* nummer = editor.txt_TelbuchEintragVariante1;
        nummer->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(nummer, "0,p*#Ff9x");
        QCOMPARE(nummer->text(), "0,p*#Ff9");
        QCOMPARE(e.meldungen.texts(), QStringList{"Bitte nur Zahlen eingeben!"});
        QTest::keyClicks(nummer, QString(30, '1'));
        QCOMPARE(nummer->text().size(), 24);
        editor.txt_TelbuchEintragVariante2->setText("12a"); // pasted
        editor.txt_TelbuchEintragVariante2->setFocus(Qt::TabFocusReason);
        editor.cbo_Türstelle->setFocus(Qt::TabFocusReason);
        QCOMPARE(editor.txt_TelbuchEintragVariante2->text(), "");
        QCOMPARE(e.meldungen.texts().size(), 2);
    }

    // With delayed forwarding every click of an answering-machine box warns, and so does loading.
    void answeringMachineWarnings()
    {
        Editor e;
        e.delayedForwarding();
        Telefonbucheintrag beide = Gelernt;
        beide.Anrufbeantworter = "3";
        e.tab.modell().setEintrag(2, beide);
        e.meldungen.shown.clear();
        frm_Telbuch& editor = e.öffnen(2);
        QCOMPARE(e.meldungen.texts(), QStringList(2, Warnung));
        QCOMPARE(e.meldungen.shown[0].icon, platform::Icon::Information);
        editor.chk_ab_variante1->click();
        QVERIFY(!editor.chk_ab_variante1->isChecked()); // the warning undoes nothing
        QCOMPARE(e.meldungen.shown.size(), 3);
        editor.close(); // the close box discards
        QCOMPARE(e.tab.modell().eintrag(2).Anrufbeantworter, "3");
        QVERIFY(e.fenster.isEnabled());

        Editor ohne;
        ohne.öffnen(1).chk_ab_variante2->click();
        QVERIFY(ohne.meldungen.shown.isEmpty());
    }
};

QTEST_MAIN(tst_Frm_Telbuch)
#include "tst_frm_telbuch.moc"
