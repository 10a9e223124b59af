// Two device images compared as the window shows them: each configuration field, a field of the first
// and of the last entry, the bytes the window does not show, and equal images.

#include "Abbildvergleich.h"
#include "Musterabbild.h"

#include <QTest>

using Änderung = std::function<void(Konfiguration&, Telefonbuch&)>;
Q_DECLARE_METATYPE(Änderung)

class tst_Abbildvergleich : public QObject {
    Q_OBJECT
private slots:
    void vergleichen_data()
    {
        QTest::addColumn<Änderung>("änderung");       // of the filled configuration and phone book
        QTest::addColumn<QStringList>("unterschied"); // field, before, after; none for equal images
        const auto zeile = [](const char* feld, Änderung ä, const char* vorher, const char* nachher) {
            QTest::newRow(feld) << ä << QStringList{feld, vorher, nachher};
        };
        using K = Konfiguration&;
        using T = Telefonbuch&;
        zeile(
            "Anschlussart", [](K k, T) { k.anschlussart = Anschlussart::Nebenstellenanschluss; },
            "Amtsanschluss", "Nebenstellenanschluss");
        zeile(
            "PIN", [](K k, T) { k.PIN = "4711"; }, "0815", "4711");
        zeile(
            "Lokale Rufzeit", [](K k, T) { k.LokaleRufzeit = "021"; }, "020", "021");
        zeile(
            "Externe Rufzeit", [](K k, T) { k.ExterneRufzeit = "120"; }, "090", "120");
        zeile(
            "Türgesprächszeit", [](K k, T) { k.Türgesprächszeit = "000"; }, "045", "000");
        zeile(
            "Variantenumschaltung", [](K k, T) { k.variante = Variante::Tag; }, "2 (Nacht)", "1 (Tag)");
        zeile(
            "Mithören", [](K k, T) { k.Mithören = true; }, "Aus", "An");
        zeile(
            "Masterumleitung", [](K k, T) { k.masterumleitung = Masterumleitung::verzögert; }, "sofort",
            "verzögert");
        zeile(
            "Anrufbeantworter", [](K k, T) { k.Anrufbeantworter = true; }, "nein", "ja");
        zeile(
            "Masterumleitungsnummer", [](K k, T) { k.Masterumleitungsnummer = "0,030"; }, "0301234567",
            "0,030");
        zeile(
            "Eintrag 1: Telefonnummer Variante 2", [](K, T t) { t[0].Nummer2.clear(); }, "01701234567", "");
        zeile(
            "Eintrag 50: Adresse", [](K, T t) { t[49].Adresse = "00-00-00-00-00-00-00-01"; },
            "00-00-00-00-00-00-00-00", "00-00-00-00-00-00-00-01");
        QTest::newRow("gleich") << Änderung([](K, T) {}) << QStringList();
    }
    void vergleichen()
    {
        QFETCH(Änderung, änderung);
        Konfiguration k = gefüllteKonfiguration();
        Telefonbuch t = gefülltesTelefonbuch();
        änderung(k, t);
        const QByteArray vorher = gefülltesAbbild(), nachher = AbbildMitFenster(vorher, k, t);
        QStringList gefunden;
        for (const Unterschied& u : AbbilderVergleichen(vorher, nachher))
            gefunden << u.feld << u.vorher << u.nachher;
        QTEST(gefunden, "unterschied");
    }

    // Bytes past the fields: how many differ and the first, whichever side lacks them.
    void restbytes()
    {
        const QByteArray vorher = gefülltesAbbild();
        QByteArray nachher = vorher;
        for (const int stelle : {0, 265, 6143}) // no field, entry 1's reserved byte, zeros past the names
            nachher[stelle] = char(~nachher[stelle]);
        const Unterschied rest = AbbilderVergleichen(vorher, nachher).value(0);
        QCOMPARE(
            QStringList({rest.feld, rest.vorher, rest.nachher}),
            QStringList({"Übrige Bytes", "Byte 0: 03 (3 verschieden)", "Byte 0: FC (3 verschieden)"}));
        QCOMPARE(AbbilderVergleichen(vorher, nachher).size(), 1);
        QCOMPARE(AbbilderVergleichen(vorher, vorher.left(6143)).value(0).nachher,
                 "Byte 6143: fehlt (1 verschieden)");
        QCOMPARE(UnterschiedeZählen(1) + UnterschiedeZählen(3), "1 Unterschied3 Unterschiede");
    }
};

QTEST_APPLESS_MAIN(tst_Abbildvergleich)
#include "tst_abbildvergleich.moc"
