// The configuration area of the device image, the image's text routines and its character set.

#include "Konfigurationsbereich.h"
#include "Textfelder.h"
#include "Windows1252.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QByteArray zufallsabbild()
{
    QByteArray abbild(6144, '\0');
    QRandomGenerator zufall(6144);
    for (char& byte : abbild)
        byte = static_cast<char>(zufall.bounded(256));
    return abbild;
}

QByteArray bytes(std::initializer_list<int> werte)
{
    QByteArray b;
    for (int w : werte)
        b.append(static_cast<char>(w));
    return b;
}

} // namespace

Q_DECLARE_METATYPE(Konfiguration)
Q_DECLARE_METATYPE(Anschlussart)
Q_DECLARE_METATYPE(Masterumleitung)

class tst_Konfigurationsbereich : public QObject {
    Q_OBJECT
private slots:
    void defaultsBuiltIntoImage()
    {
        const QByteArray gelesen = zufallsabbild();
        const QByteArray abbild = KonfigurationInAbbild(gelesen, Werkseinstellungen());
        QCOMPARE(abbild.size(), 6144);
        QCOMPARE(abbild[0], gelesen[0]);
        QCOMPARE(abbild[1], '\x01');
        QCOMPARE(abbild.mid(2, 12), QByteArray("030\0"
                                               "030\0"
                                               "060\0",
                                               12));
        QCOMPARE(abbild.mid(14, 2), QByteArray(2, '\0'));
        QCOMPARE(abbild.mid(16, 6), QByteArray("5183\0\0", 6));
        QCOMPARE(abbild.mid(22, 42), gelesen.mid(22, 42));
        QCOMPARE(abbild[64], ' ');
        QCOMPARE(abbild.mid(65, 25), QByteArray(25, '\0'));
        QCOMPARE(abbild.mid(90), gelesen.mid(90));
    }

    void roundTripAndCutFields_data()
    {
        QTest::addColumn<Konfiguration>("geschrieben");
        QTest::addColumn<Konfiguration>("gelesen");
        Konfiguration alle;
        alle.anschlussart = Anschlussart::Amtsanschluss;
        alle.PIN = "0042";
        alle.LokaleRufzeit = "120";
        alle.ExterneRufzeit = "005";
        alle.Türgesprächszeit = "099";
        alle.variante = Variante::Nacht;
        alle.Mithören = false;
        alle.masterumleitung = Masterumleitung::sofort;
        alle.Anrufbeantworter = true;
        alle.Masterumleitungsnummer = "0,p*#Ff9012345678901234P"; // 25 characters: no closing 0x00
        QTest::newRow("every field set") << alle << alle;
        Konfiguration verzögert = alle;
        verzögert.masterumleitung = Masterumleitung::verzögert;
        QTest::newRow("verzögert") << verzögert << verzögert;
        // Over-long values, as only a file brings them, are cut to their fields and move nothing.
        Konfiguration lang = alle;
        lang.PIN = "1234567";
        lang.LokaleRufzeit = "00120";
        lang.Masterumleitungsnummer = QString(30, '7');
        Konfiguration gekürzt = alle;
        gekürzt.PIN = "12345";
        gekürzt.LokaleRufzeit = "0012";
        gekürzt.Masterumleitungsnummer = QString(25, '7');
        QTest::newRow("over-long values") << lang << gekürzt;
    }

    void roundTripAndCutFields()
    {
        QFETCH(Konfiguration, geschrieben);
        QFETCH(Konfiguration, gelesen);
        const QByteArray abbild = KonfigurationInAbbild(zufallsabbild(), geschrieben);
        QCOMPARE(abbild.size(), 6144);
        QVERIFY(KonfigurationAusAbbild(abbild, Masterumleitung::aus) == gelesen);
    }

    void readingFields_data()
    {
        QTest::addColumn<QByteArray>("anfang"); // the image's first bytes; the rest stays as in `basis`
        QTest::addColumn<QString>("lokal");
        QTest::addColumn<Anschlussart>("anschluss");
        QTest::addColumn<Masterumleitung>("umleitung");
        const QByteArray basis = KonfigurationInAbbild(QByteArray(6144, '\0'), Werkseinstellungen());
        QTest::newRow("0x30 0x00 0xFF 0xFF") << bytes({0, 1, 0x30, 0, 0xFF, 0xFF}) << "0"
                                             << Anschlussart::Nebenstellenanschluss << Masterumleitung::aus;
        QTest::newRow("1 A 2 0x00, Amt") << bytes({0, 0, 0x31, 0x41, 0x32, 0}) << "12"
                                         << Anschlussart::Amtsanschluss << Masterumleitung::aus;
        QTest::newRow("byte 1 = 0x05") << bytes({0, 5, '0', '3', '0', 0}) << "030"
                                       << Anschlussart::Nebenstellenanschluss << Masterumleitung::aus;
        QByteArray modus3 = basis.left(22);
        modus3[21] = 3;
        QTest::newRow("byte 21 = 0x03 keeps sofort")
            << modus3 << "030" << Anschlussart::Nebenstellenanschluss << Masterumleitung::sofort;
    }

    void readingFields()
    {
        QFETCH(QByteArray, anfang);
        QFETCH(QString, lokal);
        QFETCH(Anschlussart, anschluss);
        QFETCH(Masterumleitung, umleitung);
        QByteArray abbild = KonfigurationInAbbild(QByteArray(6144, '\0'), Werkseinstellungen());
        abbild.replace(0, anfang.size(), anfang);
        const Konfiguration k = KonfigurationAusAbbild(abbild, Masterumleitung::sofort);
        QCOMPARE(k.LokaleRufzeit, lokal);
        QCOMPARE(k.anschlussart, anschluss);
        QCOMPARE(k.masterumleitung, umleitung);
    }

    void shortImagesReadAsEmptyFields()
    {
        for (const QByteArray& abbild : {QByteArray(), QByteArray(14, '\0')}) {
            const Konfiguration k = KonfigurationAusAbbild(abbild, Masterumleitung::verzögert);
            QCOMPARE(k.variante, Variante::Nacht);
            QVERIFY(!k.Mithören);
            QCOMPARE(k.masterumleitung, Masterumleitung::verzögert);
            QVERIFY(!k.Anrufbeantworter);
            QVERIFY(k.PIN.isEmpty() && k.Masterumleitungsnummer.isEmpty());
        }
        QCOMPARE(KonfigurationAusAbbild({}, Masterumleitung::aus).anschlussart,
                 Anschlussart::Nebenstellenanschluss);
        // Building from a short read moves no field and appends no tail.
        const QByteArray kurz = KonfigurationInAbbild(QByteArray(30, '\x07'), Werkseinstellungen());
        QCOMPARE(kurz.size(), 90);
        QCOMPARE(kurz[64], ' ');
        QCOMPARE(kurz.mid(22, 8), QByteArray(8, '\x07'));
        QCOMPARE(kurz.mid(30, 34), QByteArray(34, '\0'));
    }

    void textRoutines()
    {
        using namespace textfelder;
        QCOMPARE(Cut0(bytes({'0', 'A', 0xFF, '7', 0, '9'})), "07");
        QCOMPARE(Cut0A(bytes({'A', 0xFF, 'b', 0, 'c'})), "Ab");
        QCOMPARE(Cut0({}), "");
        QCOMPARE(Put0("12", 4), QByteArray("12\0\0", 4));
        QCOMPARE(Put0("12345", 4), "12345");
        QCOMPARE(feldGenau("12345", 4), "1234");
        const std::pair<const char*, int> hex[] = {{"0", 0}, {"9", 9}, {"A", 10}, {"B", 11}, {"F", 15},
                                                   {"b", 0}, {"G", 0}, {"", 0},   {"10", 0}, {"-", 0}};
        for (const auto& [ziffer, wert] : hex)
            QVERIFY2(HEXStringToLong(QString::fromLatin1(ziffer)) == wert, ziffer);
    }

    void windows1252()
    {
        QByteArray alle(256, '\0');
        for (int i = 0; i < 256; ++i)
            alle[i] = static_cast<char>(i);
        QCOMPARE(windows1252::kodieren(windows1252::dekodieren(alle)), alle);
        QCOMPARE(windows1252::kodieren(u"Müller €"), QByteArray("M\xFCller \x80"));
        QCOMPARE(windows1252::dekodieren("Stra\xDF"
                                         "e \x84x\x93"),
                 QString::fromUtf8("Straße „x“"));
        QCOMPARE(windows1252::kodieren(u"Ω😀"), "??");
    }
};

QTEST_APPLESS_MAIN(tst_Konfigurationsbereich)
#include "tst_konfigurationsbereich.moc"
