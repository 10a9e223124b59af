// The phone book tab's grid and commands in the main window, the link scripted.

#include "Geraeteabbild.h"
#include "Hauptfenster.h"
#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"
#include "Telefonbuchbereich.h"

#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QTest>

using kommunikation::Antwort;
using kommunikation::Ergebnis;
using platform::Icon;
using platform::Reply;

namespace {

const QString Belegt = "Andere Programmteile greifen gerade\r\nauf die Schnittstelle zu. \r\n"
                       "Beenden Sie ggf. die Logfunktion.";

Telefonbuch beispielbuch()
{
    Telefonbuch buch;
    buch[0] = {"Müller", "0301234", "", "1", "2", "gefangen", "01-02-03-04-05-06-07-08"};
    buch[49] = {"Zöllner", "", "P99", "3", "9", "frei", "00-00-00-00-00-00-00-00"};
    return buch;
}

QByteArray geräteabbild()
{
    return TelefonbuchInAbbild(QByteArray(abbild::Größe, '\x5A'), beispielbuch());
}

// The selected cells of the grid as "row:column" from the first to the last.
QStringList auswahl(const TelefonbuchTab& tab)
{
    QStringList zellen;
    QModelIndexList gewählt = tab.MSFlexGrid1->selectionModel()->selectedIndexes();
    std::sort(gewählt.begin(), gewählt.end());
    for (const QModelIndex& i : gewählt)
        zellen.append(QString("%1:%2").arg(i.row() + 1).arg(i.column()));
    return zellen;
}

QStringList zeile(int r, int bisSpalte)
{
    QStringList zellen;
    for (int s = 0; s <= bisSpalte; ++s)
        zellen.append(QString("%1:%2").arg(r).arg(s));
    return zellen;
}

} // namespace

class tst_Telefonbuchbefehle : public QObject {
    Q_OBJECT
private slots:
    void gridAfterStart()
    {
        Hauptfenster h;
        TelefonbuchTab& tab = *h.fenster.telefonbuch;
        for (const Telefonbucheintrag& e : tab.modell().telefonbuch())
            QVERIFY(e == Telefonbucheintrag{});
        QCOMPARE(tab.aktuelleZeile(), 1);
        QCOMPARE(auswahl(tab), zeile(1, 7));
        QList<int> breiten;
        for (int s = 0; s < 8; ++s)
            breiten << tab.MSFlexGrid1->columnWidth(s);
        QCOMPARE(breiten, QList<int>({33, 156, 156, 156, 100, 53, 66, 156}));
        QCOMPARE(tab.MSFlexGrid1->accessibleName(), "Telefonbuch");
    }

    void laden_data()
    {
        QTest::addColumn<Antwort>("antwort");
        QTest::addColumn<QString>("logtext");
        QTest::addColumn<QString>("meldung");
        QTest::addColumn<bool>("übernommen");
        QTest::newRow("success") << Antwort{Ergebnis::Erfolg, geräteabbild()}
                                 << " Telefonbuch erfolgreich ausgelesen"
                                 << "Telefonbuch erfolgreich ausgelesen!" << true;
        QTest::newRow("time-out") << Antwort{Ergebnis::Timeout, {}}
                                  << " Telefonbuchauslesen wegen Timeout abgebrochen"
                                  << "Auslesen wegen Timeout abgebrochen!" << false;
        QTest::newRow("busy") << Antwort{Ergebnis::Belegt, {}}
                              << " Telefonbuchauslesen nicht möglich, da die Schnittstelle belegt ist"
                              << Belegt << false;
        QTest::newRow("transfer error")
            << Antwort{Ergebnis::Transferfehler, {}}
            << " Konfiguration auslesen wegen Übertragungsfehlern abgebrochen"
            << "Konfiguration auslesen wegen Übertragungsfehlern abgebrochen" << false;
    }

    void laden()
    {
        QFETCH(Antwort, antwort);
        QFETCH(QString, logtext);
        QFETCH(QString, meldung);
        QFETCH(bool, übernommen);
        Hauptfenster h;
        TelefonbuchTab& tab = *h.fenster.telefonbuch;
        Telefonbuch vorher;
        vorher[7].Teilnehmer = "bleibt";
        tab.modell().setTelefonbuch(vorher);
        tab.zeileMarkieren(8);
        h.link.bilder = {antwort};
        h.klicken("cmd_TelbuchAusAnlageLaden");
        QCOMPARE(h.link.aufrufe, QStringList({"EmpfangspufferLeeren", "LoggenAus", "KonfigurationLaden"}));
        QCOMPARE(h.bedienbarWährend, QList<bool>{false});
        QCOMPARE(h.log(), "07.12.2026 09:05:00" + logtext + "\r\n");
        QCOMPARE(h.meldungen.texts(), QStringList{meldung});
        QVERIFY(tab.modell().telefonbuch() == (übernommen ? beispielbuch() : vorher));
        QCOMPARE(tab.aktuelleZeile(), übernommen ? 1 : 8);
        QVERIFY(h.fenster.isEnabled());
    }

    void speichern_data()
    {
        QTest::addColumn<Antwort>("lesen");
        QTest::addColumn<Ergebnis>("senden");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("meldung");
        const Antwort gelesen{Ergebnis::Erfolg, QByteArray(abbild::Größe, '\x11')};
        const QString gelesenLog = "07.12.2026 09:05:00 Konfiguration erfolgreich ausgelesen\r\n";
        QTest::newRow("stored") << gelesen << Ergebnis::Erfolg
                                << gelesenLog + "07.12.2026 09:05:01 Telefonbuch erfolgreich übertragen\r\n"
                                << "Übertragung erfolgreich!";
        QTest::newRow("store busy") << gelesen << Ergebnis::Belegt
                                    << gelesenLog + "07.12.2026 09:05:01 Telefonbuch konnte nicht übertragen "
                                                    "werden, weil die Schnittstelle belegt ist\r\n"
                                    << Belegt;
        QTest::newRow("store time-out")
            << gelesen << Ergebnis::Timeout
            << gelesenLog +
                   "07.12.2026 09:05:01 Telefonbuch konnte wegen eines Timeout nicht übertragen werden\r\n"
            << "Übertragung wegen Timeout abgebrochen!";
        QTest::newRow("store transfer error")
            << gelesen << Ergebnis::Transferfehler
            << gelesenLog + "07.12.2026 09:05:01 Telefonbuch konnte wegen Übertragungsfehlern nicht "
                            "übertragen werden\r\n"
            << "Übertragung wegen Übertragungsfehlern abgebrochen!";
        QTest::newRow("read time-out sends nothing")
            << Antwort{Ergebnis::Timeout, {}} << Ergebnis::Erfolg
            << "07.12.2026 09:05:00 Konfiguration auslesen wegen Timeout abgebrochen\r\n"
            << "Auslesen wegen Timeout abgebrochen!";
        QTest::newRow("read busy sends nothing")
            << Antwort{Ergebnis::Belegt, {}} << Ergebnis::Erfolg
            << "07.12.2026 09:05:00 Konfiguration auslesen nicht möglich, da die Schnittstelle belegt ist\r\n"
            << Belegt;
        QTest::newRow("read transfer error sends nothing")
            << Antwort{Ergebnis::Transferfehler, {}} << Ergebnis::Erfolg
            << "07.12.2026 09:05:00 Konfiguration auslesen wegen Übertragungsfehlern abgebrochen\r\n"
            << "Konfiguration auslesen wegen Übertragungsfehlern abgebrochen";
    }

    void speichern()
    {
        QFETCH(Antwort, lesen);
        QFETCH(Ergebnis, senden);
        QFETCH(QString, log);
        QFETCH(QString, meldung);
        Hauptfenster h;
        TelefonbuchTab& tab = *h.fenster.telefonbuch;
        tab.modell().setTelefonbuch(beispielbuch());
        h.link.bilder = {lesen};
        h.link.sendeergebnisse = {senden};
        h.klicken("cmd_TelbuchInAnlageSpeichern");
        QCOMPARE(h.log(), log);
        QCOMPARE(h.meldungen.texts(), QStringList{meldung});
        QVERIFY(h.fenster.isEnabled());
        QVERIFY(!h.bedienbarWährend.contains(true));
        QVERIFY(tab.modell().telefonbuch() == beispielbuch());
        if (!lesen.erfolgreich()) {
            QVERIFY(h.link.gesendet.isEmpty());
            QCOMPARE(tab.aktuelleZeile(), 1);
            return;
        }
        QCOMPARE(h.link.gesendet, QList<QByteArray>{TelefonbuchInAbbild(lesen.daten, beispielbuch())});
        QCOMPARE(h.link.gesendet[0].left(256), lesen.daten.left(256)); // the device's configuration stays
        QCOMPARE(tab.MSFlexGrid1->currentIndex(), tab.modell().index(49, 1));
    }

    void clearPhoneBook()
    {
        Hauptfenster h;
        TelefonbuchTab& tab = *h.fenster.telefonbuch;
        tab.modell().setTelefonbuch(beispielbuch());
        tab.zeileMarkieren(50);
        h.meldungen.replies = {Reply::Cancel};
        h.klicken("cmd_TelbuchAusAnlageLoeschen");
        QVERIFY(tab.modell().telefonbuch() == beispielbuch());
        QCOMPARE(h.meldungen.texts(), QStringList{"Möchten Sie wirklich das Telefonbuch löschen?\r\n"
                                                  "Achtung: Sie müssen alle Ruftasten neu zuordnen!"});
        QCOMPARE(h.meldungen.shown[0].icon, Icon::Critical);
        QCOMPARE(h.meldungen.shown[0].buttons, platform::Buttons::OkCancel);
        QCOMPARE(h.meldungen.shown[0].standard, platform::Default::Second);

        h.klicken("cmd_TelbuchAusAnlageLoeschen");
        QVERIFY(tab.modell().telefonbuch() == Telefonbuch{});
        QCOMPARE(auswahl(tab), zeile(1, 7));
        QCOMPARE(
            h.meldungen.texts().last(),
            "Das Telefonbuch wurde gelöscht.\r\nBitte übertragen Sie das leere Telefonbuch mit der Taste "
            "\"In Klingport speichern.\"");
        QCOMPARE(h.meldungen.shown.last().icon, Icon::Information);
        QVERIFY(h.link.aufrufe.isEmpty());
    }

    void deleteEntry_data()
    {
        QTest::addColumn<bool>("perMenü");
        QTest::addColumn<Reply>("antwort");
        QTest::newRow("button, yes") << false << Reply::Yes;
        QTest::newRow("button, no") << false << Reply::No;
        QTest::newRow("menu, yes") << true << Reply::Yes;
    }

    void deleteEntry()
    {
        QFETCH(bool, perMenü);
        QFETCH(Reply, antwort);
        Hauptfenster h;
        TelefonbuchTab& tab = *h.fenster.telefonbuch;
        tab.modell().setTelefonbuch(beispielbuch());
        QTest::mouseClick(tab.MSFlexGrid1->viewport(), Qt::LeftButton, {},
                          tab.MSFlexGrid1->visualRect(tab.modell().index(0, 3)).center());
        QCOMPARE(auswahl(tab), zeile(1, 7));
        h.meldungen.replies = {antwort};
        if (perMenü)
            tab.flexmenü->findChild<QAction*>("Löschen")->trigger();
        else
            h.klicken("cmd_TelbuchLöschen");
        QCOMPARE(h.meldungen.texts(), QStringList{"Möchten Sie den Telefonbucheintrag wirklich löschen?"});
        QCOMPARE(h.meldungen.shown[0].icon, Icon::None);
        QCOMPARE(h.meldungen.shown[0].buttons, platform::Buttons::YesNo);
        Telefonbuch erwartet = beispielbuch();
        if (antwort == Reply::Yes)
            erwartet[0] = {};
        QVERIFY(tab.modell().telefonbuch() == erwartet);
        QCOMPARE(tab.modell().index(0, 0).data().toString(), "1");
        QCOMPARE(auswahl(tab), zeile(1, perMenü ? 4 : 7));
    }
};

QTEST_MAIN(tst_Telefonbuchbefehle)
#include "tst_telefonbuchbefehle.moc"
