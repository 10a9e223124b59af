// The configuration tab's commands and reactions in the main window, the link scripted.

#include "Geraeteabbild.h"
#include "Hauptfenster.h"
#include "KonfigurationTab.h"
#include "Konfigurationsbereich.h"
#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"

#include <QCheckBox>
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

// An image whose configuration differs from the factory values in every field.
QByteArray geräteabbild()
{
    Konfiguration k;
    k.anschlussart = Anschlussart::Amtsanschluss;
    k.PIN = "2468";
    k.LokaleRufzeit = "045";
    k.ExterneRufzeit = "090";
    k.Türgesprächszeit = "120";
    k.variante = Variante::Nacht;
    k.Mithören = false;
    k.masterumleitung = Masterumleitung::sofort;
    k.Anrufbeantworter = true;
    k.Masterumleitungsnummer = "0,0301234#";
    return KonfigurationInAbbild(QByteArray(abbild::Größe, '\x33'), k);
}

Antwort gelesen(const QByteArray& daten)
{
    return {Ergebnis::Erfolg, daten};
}

Antwort fehler(Ergebnis e)
{
    return {e, {}};
}

} // namespace

class tst_Konfigurationsbefehle : public QObject {
    Q_OBJECT
private slots:
    void laden_data()
    {
        QTest::addColumn<Antwort>("antwort");
        QTest::addColumn<QString>("logtext");
        QTest::addColumn<QString>("meldung");
        QTest::addColumn<Icon>("symbol");
        QTest::newRow("success") << gelesen(geräteabbild()) << " Konfiguration erfolgreich ausgelesen"
                                 << "Konfiguration erfolgreich ausgelesen!" << Icon::Information;
        QByteArray nullErst = geräteabbild();
        nullErst[0] = 2; // a first byte like a failure code is still data
        QTest::newRow("byte 0 is 2") << gelesen(nullErst) << " Konfiguration erfolgreich ausgelesen"
                                     << "Konfiguration erfolgreich ausgelesen!" << Icon::Information;
        QTest::newRow("time-out") << fehler(Ergebnis::Timeout)
                                  << " Konfiguration auslesen wegen Timeout abgebrochen"
                                  << "Auslesen wegen Timeout abgebrochen!" << Icon::Critical;
        QTest::newRow("busy") << fehler(Ergebnis::Belegt)
                              << " Konfiguration auslesen nicht möglich, da die Schnittstelle belegt ist"
                              << Belegt << Icon::Exclamation;
        const QString übertragungsfehler = "Konfiguration auslesen wegen Übertragungsfehlern abgebrochen";
        QTest::newRow("transfer error") << fehler(Ergebnis::Transferfehler) << " " + übertragungsfehler
                                        << übertragungsfehler << Icon::Critical;
        QTest::newRow("4095 bytes") << gelesen(geräteabbild().left(4095)) << " " + übertragungsfehler
                                    << übertragungsfehler << Icon::Critical;
    }

    void laden()
    {
        QFETCH(Antwort, antwort);
        QFETCH(QString, logtext);
        QFETCH(QString, meldung);
        QFETCH(Icon, symbol);
        Hauptfenster h;
        h.link.bilder = {antwort};
        h.klicken("cmd_KonfigAusAnlageLaden");
        QCOMPARE(h.link.aufrufe, QStringList({"EmpfangspufferLeeren", "LoggenAus", "KonfigurationLaden"}));
        QCOMPARE(h.bedienbarWährend, QList<bool>{false});
        QVERIFY(h.fenster.isEnabled());
        QCOMPARE(h.log(), "07.12.2026 09:05:00" + logtext + "\r\n");
        QCOMPARE(h.meldungen.texts(), QStringList{meldung});
        QCOMPARE(h.meldungen.shown[0].icon, symbol);
        const Konfiguration gezeigt = h.fenster.konfiguration->angezeigteKonfiguration();
        if (antwort.erfolgreich() && antwort.daten.size() >= 4096)
            QVERIFY(gezeigt == KonfigurationAusAbbild(antwort.daten, Masterumleitung::aus));
        else
            QVERIFY(gezeigt == Werkseinstellungen());
    }

    void speichern_data()
    {
        QTest::addColumn<Antwort>("lesen");
        QTest::addColumn<Ergebnis>("senden");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("meldung");
        const QByteArray abbild = geräteabbild();
        const QString gelesenLog = "07.12.2026 09:05:00 Konfiguration erfolgreich ausgelesen\r\n";
        QTest::newRow("stored") << gelesen(abbild) << Ergebnis::Erfolg
                                << gelesenLog + "07.12.2026 09:05:01 Konfiguration erfolgreich übertragen\r\n"
                                << "Übertragung erfolgreich!";
        QTest::newRow("store time-out")
            << gelesen(abbild) << Ergebnis::Timeout
            << gelesenLog +
                   "07.12.2026 09:05:01 Konfiguration konnte wegen eines Timeout nicht übertragen werden\r\n"
            << "Übertragung wegen Timeout abgebrochen!";
        QTest::newRow("store transfer error")
            << gelesen(abbild) << Ergebnis::Transferfehler
            << gelesenLog + "07.12.2026 09:05:01 Konfiguration konnte wegen Übertragungsfehlern nicht "
                            "übertragen werden\r\n"
            << "Übertragung wegen Übertragungsfehlern abgebrochen!";
        QTest::newRow("store busy")
            << gelesen(abbild) << Ergebnis::Belegt
            << gelesenLog + "07.12.2026 09:05:01 Konfiguration konnte nicht übertragen werden, weil "
                            "die Schnittstelle belegt ist\r\n"
            << Belegt;
        QTest::newRow("read time-out sends nothing")
            << fehler(Ergebnis::Timeout) << Ergebnis::Erfolg
            << "07.12.2026 09:05:00 Konfiguration auslesen wegen Timeout abgebrochen\r\n"
            << "Auslesen wegen Timeout abgebrochen!";
        QTest::newRow("read transfer error sends nothing")
            << fehler(Ergebnis::Transferfehler) << Ergebnis::Erfolg
            << "07.12.2026 09:05:00 Konfiguration auslesen wegen Übertragungsfehlern abgebrochen\r\n"
            << "Konfiguration auslesen wegen Übertragungsfehlern abgebrochen";
        QTest::newRow("short read sends nothing")
            << gelesen(abbild.left(6000)) << Ergebnis::Erfolg
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
        h.link.bilder = {lesen};
        h.link.sendeergebnisse = {senden};
        h.fenster.konfiguration->txt_PIN->setText("9753");
        const Konfiguration gezeigt = h.fenster.konfiguration->angezeigteKonfiguration();
        h.klicken("cmd_KonfigInAnlageSpeichern");
        QCOMPARE(h.log(), log);
        QCOMPARE(h.meldungen.texts(), QStringList{meldung});
        QVERIFY(h.fenster.isEnabled());
        QVERIFY(!h.bedienbarWährend.contains(true));
        QVERIFY(h.fenster.konfiguration->angezeigteKonfiguration() == gezeigt); // a store leaves the screen
        if (lesen.daten.size() != abbild::Größe) {
            QVERIFY(!h.link.aufrufe.contains("KonfigurationSenden"));
            return;
        }
        QCOMPARE(h.link.aufrufe, QStringList({"EmpfangspufferLeeren", "LoggenAus", "KonfigurationLaden",
                                              "KonfigurationSenden"}));
        QCOMPARE(h.link.gesendet, QList<QByteArray>{KonfigurationInAbbild(lesen.daten, gezeigt)});
        QCOMPARE(h.link.gesendet[0].mid(90), lesen.daten.mid(90)); // the device's phone book stays
    }

    void factoryDefaults()
    {
        Hauptfenster h;
        h.fenster.konfiguration->KonfigurationParsAnzeigen(geräteabbild());
        const Konfiguration geladen = h.fenster.konfiguration->angezeigteKonfiguration();
        h.meldungen.replies = {platform::Reply::Cancel};
        h.klicken("cmd_Werkseinstellungen");
        QVERIFY(h.fenster.konfiguration->angezeigteKonfiguration() == geladen);
        QCOMPARE(h.meldungen.texts(),
                 QStringList{"Möchten Sie wirklich die Konfiguration auf Werkseinstellung zurücksetzen?"});
        QCOMPARE(h.meldungen.shown[0].icon, Icon::Critical);
        QCOMPARE(h.meldungen.shown[0].buttons, platform::Buttons::OkCancel);
        QCOMPARE(h.meldungen.shown[0].standard, platform::Default::Second);

        h.klicken("cmd_Werkseinstellungen");
        QVERIFY(h.fenster.konfiguration->angezeigteKonfiguration() == Werkseinstellungen());
        QCOMPARE(
            h.meldungen.texts().last(),
            "Konfiguration wurde zurückgesetzt!\r\nBitte übertragen Sie die aktuelle Konfiguration mit der "
            "Taste \"In Klingport speichern.\"");
        QCOMPARE(h.meldungen.shown.last().icon, Icon::Information);
        QVERIFY(!h.fenster.konfiguration->txt_LokaleRufzeit->isEnabled());
        QVERIFY(!h.fenster.konfiguration->obu_sofort->isEnabled());
        QVERIFY(h.link.aufrufe.isEmpty()); // the device is not contacted
    }

    void reactions()
    {
        Hauptfenster h;
        KonfigurationTab& k = *h.fenster.konfiguration;
        QVERIFY(!k.txt_LokaleRufzeit->isEnabled());
        k.obu_Amtsanschluß->click();
        QVERIFY(k.txt_LokaleRufzeit->isEnabled());
        k.obu_Nebenstellenanschluß->click();
        QVERIFY(!k.txt_LokaleRufzeit->isEnabled());

        const QList<QWidget*> weiterleitung = {k.chk_ab_masterrufumleitung, k.obu_aus, k.obu_verzögert,
                                               k.obu_sofort};
        k.txt_Masterumleitungsnummer->setText("0");
        for (QWidget* w : weiterleitung)
            QVERIFY(w->isEnabled());
        QVERIFY(k.obu_aus->isChecked());
        k.obu_sofort->click();
        k.chk_ab_masterrufumleitung->click();
        k.txt_Masterumleitungsnummer->clear();
        for (QWidget* w : weiterleitung)
            QVERIFY(!w->isEnabled());
        QVERIFY(k.obu_aus->isChecked() && !k.chk_ab_masterrufumleitung->isChecked());

        // Delayed forwarding is checked against the phone book, whoever selects it.
        k.txt_Masterumleitungsnummer->setText("0");
        k.obu_verzögert->click();
        QVERIFY(h.meldungen.shown.isEmpty());
        Telefonbucheintrag mitAb;
        mitAb.Anrufbeantworter = "2";
        h.fenster.telefonbuch->modell().setEintrag(50, mitAb);
        k.obu_aus->click();
        Konfiguration verzögert;
        verzögert.Masterumleitungsnummer = "0";
        verzögert.masterumleitung = Masterumleitung::verzögert;
        k.KonfigurationParsAnzeigen(KonfigurationInAbbild(QByteArray(6144, '\0'), verzögert));
        QVERIFY(k.obu_verzögert->isChecked()); // the selection stays
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
