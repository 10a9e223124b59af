// The device commands of the configuration and phone book tabs on a scripted link: the outcomes only a
// scripted link plays (time-outs, transfer errors, refusals, short reads) with their log lines, message
// and icon, the window locked while waiting; the resets and the reactions of the configuration's controls.

#include "Hauptfenster.h"
#include "KonfigurationTab.h"
#include "SimGeraet.h"
#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using kommunikation::Antwort;
using kommunikation::Ergebnis;
using platform::Icon;

Q_DECLARE_METATYPE(platform::Icon)

namespace {

const QString Belegt = "Andere Programmteile greifen gerade\r\nauf die Schnittstelle zu. \r\n"
                       "Beenden Sie ggf. die Logfunktion.";
const QString Fehler = "Konfiguration auslesen wegen Übertragungsfehlern abgebrochen";

// An image whose configuration and phone book differ from the factory ones.
QByteArray geräteabbild()
{
    Telefonbuch buch;
    buch[0] = {"Müller", "0301234", "", "1", "2", "gefangen", "01-02-03-04-05-06-07-08"};
    return musterabbild(
        {.anschlussart = Anschlussart::Amtsanschluss, .PIN = "2468", .Masterumleitungsnummer = "0,0301234#"},
        buch);
}

} // namespace

class tst_Konfigurationsbefehle : public QObject {
    Q_OBJECT
private slots:
    void deviceCommands_data()
    {
        QTest::addColumn<QString>("knopf");
        QTest::addColumn<Antwort>("antwort");
        QTest::addColumn<Ergebnis>("senden");
        QTest::addColumn<QStringList>("log"); // one line a second, from 09:05:00
        QTest::addColumn<QString>("meldung");
        QTest::addColumn<Icon>("icon");
        QTest::addColumn<int>("zeile"); // the grid's current entry afterwards
        const auto gelesen = [](int bytes) { return Antwort{Ergebnis::Erfolg, geräteabbild().left(bytes)}; };
        const Antwort timeout{Ergebnis::Timeout, {}}, belegt{Ergebnis::Belegt, {}}, ganz = gelesen(6144);
        const Ergebnis ok = Ergebnis::Erfolg;
        const QString k = "cmd_KonfigAusAnlageLaden", ks = "cmd_KonfigInAnlageSpeichern";
        const QString t = "cmd_TelbuchAusAnlageLaden", ts = "cmd_TelbuchInAnlageSpeichern";
        const QString ausgelesen = " Konfiguration erfolgreich ausgelesen";
        const QString belegtLesen = " Konfiguration auslesen nicht möglich, da die Schnittstelle belegt ist";
        const auto zeile = [](const char* tag, QString knopf, Antwort antwort, Ergebnis senden,
                              QStringList log, QString meldung, Icon icon, int aktuell) {
            QTest::newRow(tag) << knopf << antwort << senden << log << meldung << icon << aktuell;
        };
        zeile("Konfiguration: 4096 Bytes genügen", k, gelesen(4096), ok, {ausgelesen},
              "Konfiguration erfolgreich ausgelesen!", Icon::Information, 8);
        zeile("Konfiguration: 4095 Bytes", k, gelesen(4095), ok, {" " + Fehler}, Fehler, Icon::Critical, 8);
        zeile("Konfiguration: Timeout", k, timeout, ok, {" Konfiguration auslesen wegen Timeout abgebrochen"},
              "Auslesen wegen Timeout abgebrochen!", Icon::Critical, 8);
        zeile("Konfiguration: Übertragungsfehler", k, {Ergebnis::Transferfehler, {}}, ok, {" " + Fehler},
              Fehler, Icon::Critical, 8);
        zeile("Konfiguration speichern: Timeout", ks, ganz, Ergebnis::Timeout,
              {ausgelesen, " Konfiguration konnte wegen eines Timeout nicht übertragen werden"},
              "Übertragung wegen Timeout abgebrochen!", Icon::Critical, 8);
        zeile(
            "Konfiguration speichern: belegt", ks, ganz, Ergebnis::Belegt,
            {ausgelesen, " Konfiguration konnte nicht übertragen werden, weil die Schnittstelle belegt ist"},
            Belegt, Icon::Exclamation, 8);
        zeile("Konfiguration speichern: 6143 Bytes gelesen", ks, gelesen(6143), ok, {" " + Fehler}, Fehler,
              Icon::Critical, 8);
        zeile("Telefonbuch", t, ganz, ok, {" Telefonbuch erfolgreich ausgelesen"},
              "Telefonbuch erfolgreich ausgelesen!", Icon::Information, 1);
        zeile("Telefonbuch: Timeout", t, timeout, ok, {" Telefonbuchauslesen wegen Timeout abgebrochen"},
              "Auslesen wegen Timeout abgebrochen!", Icon::Critical, 8);
        zeile("Telefonbuch: belegt", t, belegt, ok,
              {" Telefonbuchauslesen nicht möglich, da die Schnittstelle belegt ist"}, Belegt,
              Icon::Exclamation, 8);
        // Building the image walks the grid to its last cell.
        zeile("Telefonbuch speichern: Übertragungsfehler", ts, ganz, Ergebnis::Transferfehler,
              {ausgelesen, " Telefonbuch konnte wegen Übertragungsfehlern nicht übertragen werden"},
              "Übertragung wegen Übertragungsfehlern abgebrochen!", Icon::Critical, 50);
        zeile("Telefonbuch speichern: Lesen belegt", ts, belegt, ok, {belegtLesen}, Belegt, Icon::Exclamation,
              8);
    }
    void deviceCommands()
    {
        QFETCH(QString, knopf);
        QFETCH(Antwort, antwort);
        QFETCH(Ergebnis, senden);
        QFETCH(QStringList, log);
        QFETCH(QString, meldung);
        Hauptfenster h;
        KonfigurationTab& k = *h.fenster.konfiguration;
        TelefonbuchTab& tab = *h.fenster.telefonbuch;
        k.txt_PIN->setText("9753");
        Telefonbuch buch;
        buch[7].Teilnehmer = "bleibt";
        tab.modell().setTelefonbuch(buch);
        tab.zeileMarkieren(8);
        const Konfiguration gezeigt = k.angezeigteKonfiguration();
        h.link.bilder = {antwort};
        h.link.sendeergebnisse = {senden};
        h.klicken(knopf);
        QVERIFY(!h.bedienbarWährend.isEmpty() && !h.bedienbarWährend.contains(true));
        QVERIFY(h.fenster.isEnabled());
        QString erwartet;
        for (int i = 0; i < log.size(); ++i)
            erwartet += QString("07.12.2026 09:05:%1").arg(i, 2, 10, QChar('0')) + log[i] + "\r\n";
        QCOMPARE(h.log(), erwartet);
        QCOMPARE(h.meldungen.texts(), QStringList{meldung});
        QTEST(h.meldungen.shown[0].icon, "icon");
        QTEST(tab.aktuelleZeile(), "zeile");
        // Only a complete read is stored; a load shows what it read, a store leaves the screen.
        const bool geladen = knopf.endsWith("AusAnlageLaden") && log.constFirst().contains("erfolgreich");
        QCOMPARE(h.link.aufrufe.contains("KonfigurationSenden"), log.size() == 2);
        QVERIFY(k.angezeigteKonfiguration() ==
                (geladen && knopf.contains("Konfig")
                     ? KonfigurationAusAbbild(antwort.daten, Masterumleitung::aus)
                     : gezeigt));
        QVERIFY(tab.modell().telefonbuch() ==
                (geladen && knopf.contains("Telbuch") ? TelefonbuchAusAbbild(antwort.daten) : buch));
    }

    // Each asks first: cancelled nothing happens, confirmed its tab is reset and the user told to store
    // it. The device is not contacted.
    void resets()
    {
        Hauptfenster h;
        KonfigurationTab& k = *h.fenster.konfiguration;
        TelefonbuchTab& tab = *h.fenster.telefonbuch;
        k.KonfigurationParsAnzeigen(geräteabbild());
        tab.TelefonbuchParsAnzeigen(geräteabbild());
        tab.zeileMarkieren(50);
        const Konfiguration gezeigt = k.angezeigteKonfiguration();
        const Telefonbuch buch = tab.modell().telefonbuch();
        h.meldungen.replies = {platform::Reply::Cancel, platform::Reply::Ok, platform::Reply::Ok,
                               platform::Reply::Cancel};
        h.klicken("cmd_Werkseinstellungen");
        QVERIFY(k.angezeigteKonfiguration() == gezeigt);
        h.klicken("cmd_Werkseinstellungen");
        QVERIFY(k.angezeigteKonfiguration() == Werkseinstellungen() && tab.modell().telefonbuch() == buch);
        QVERIFY(!k.txt_LokaleRufzeit->isEnabled()); // the controls react as to the user
        h.klicken("cmd_TelbuchAusAnlageLoeschen");
        QVERIFY(tab.modell().telefonbuch() == buch && tab.aktuelleZeile() == 50);
        h.klicken("cmd_TelbuchAusAnlageLoeschen");
        QVERIFY(tab.modell().telefonbuch() == Telefonbuch{} && tab.aktuelleZeile() == 1);
        QVERIFY(k.angezeigteKonfiguration() == Werkseinstellungen());
        const QString werk = "Möchten Sie wirklich die Konfiguration auf Werkseinstellung zurücksetzen?";
        const QString löschen = "Möchten Sie wirklich das Telefonbuch löschen?\r\nAchtung: Sie müssen alle "
                                "Ruftasten neu zuordnen!";
        QCOMPARE(h.meldungen.texts(),
                 QStringList({werk, werk,
                              "Konfiguration wurde zurückgesetzt!\r\nBitte übertragen Sie die aktuelle "
                              "Konfiguration mit der Taste \"In Klingport speichern.\"",
                              löschen, löschen,
                              "Das Telefonbuch wurde gelöscht.\r\nBitte übertragen Sie das leere Telefonbuch "
                              "mit der Taste \"In Klingport speichern.\""}));
        for (const int i : {0, 3}) {
            const ShownMessage& m = h.meldungen.shown[i];
            QVERIFY(m.icon == Icon::Critical && m.buttons == platform::Buttons::OkCancel &&
                    m.standard == platform::Default::Second &&
                    h.meldungen.shown[i + 2].icon == Icon::Information);
        }
        QVERIFY(h.link.aufrufe.isEmpty());
    }

    // Delayed forwarding is checked against the phone book, whoever selects it, and stays selected.
    void delayedForwardingAgainstPhoneBook()
    {
        Hauptfenster h;
        KonfigurationTab& k = *h.fenster.konfiguration;
        k.txt_Masterumleitungsnummer->setText("0");
        k.obu_verzögert->click();
        QVERIFY(h.meldungen.shown.isEmpty());
        h.fenster.telefonbuch->modell().setEintrag(50, {"", "", "", "2"});
        k.obu_aus->click();
        const Konfiguration verzögert{.masterumleitung = Masterumleitung::verzögert,
                                      .Masterumleitungsnummer = "0"};
        k.KonfigurationParsAnzeigen(KonfigurationInAbbild(QByteArray(6144, '\0'), verzögert));
        QVERIFY(k.obu_verzögert->isChecked());
        QCOMPARE(
            h.meldungen.texts(),
            QStringList{"Sie haben mindestens in einem Telefonbucheintrag die Anrufbeantworterfunktion "
                        "aktiviert. \r\nEine verzögerte Masterrufumleitung ist in Kombination mit diesem "
                        "Telefonbucheintrag nicht möglich."});
        QCOMPARE(h.meldungen.shown[0].icon, Icon::Information);
    }
};

QTEST_MAIN(tst_Konfigurationsbefehle)
#include "tst_konfigurationsbefehle.moc"
