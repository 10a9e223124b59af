// The configuration's place in the device image, and the image's character set.

#include "Konfigurationsbereich.h"
#include "Windows1252.h"

#include <QTest>

Q_DECLARE_METATYPE(Konfiguration)

namespace {

// Bytes written readably: "." stands for 0x00, "~" for 0x01 and "^" for 0x02.
QByteArray bytes(QByteArray text)
{
    return text.replace('.', '\0').replace('~', '\1').replace('^', '\2');
}

Konfiguration konfiguration(QString pin, QString lokal, Masterumleitung u, QString nr)
{
    return {Anschlussart::Amtsanschluss, pin, lokal, "005", "099", Variante::Nacht, false, u, true, nr};
}

} // namespace

class tst_Konfigurationsbereich : public QObject {
    Q_OBJECT
private slots:
    // Bytes 1 to 21 and 64 to 89 hold the fields, each value cut to its own; the rest is carried over.
    void felder_data()
    {
        QTest::addColumn<Konfiguration>("geschrieben");
        QTest::addColumn<QByteArray>("felder");
        QTest::addColumn<Konfiguration>("gelesen");
        QTest::newRow("Werkseinstellungen")
            << Konfiguration{} << bytes("~030.030.060...5183.. " + QByteArray(25, '.')) << Konfiguration{};
        const Konfiguration alle =
            konfiguration("0042", "120", Masterumleitung::verzögert, "0,p*#Ff90123456789012345P");
        QTest::newRow("jedes Feld") << alle << bytes(".120.005.099.~~0042.~A0,p*#Ff90123456789012345P")
                                    << alle;
        QTest::newRow("zu lang") << konfiguration("1234567", "00120", Masterumleitung::sofort,
                                                  QString(30, '7'))
                                 << bytes(".0012005.099.~~12345^A" + QByteArray(25, '7'))
                                 << konfiguration("12345", "0012", Masterumleitung::sofort, QString(25, '7'));
    }
    void felder()
    {
        QFETCH(Konfiguration, geschrieben);
        QFETCH(QByteArray, felder);
        QByteArray vorher(6144, '\0');
        for (int i = 0; i < vorher.size(); ++i)
            vorher[i] = static_cast<char>(i * 7 + 3);
        const QByteArray abbild = KonfigurationInAbbild(vorher, geschrieben);
        QCOMPARE(abbild,
                 vorher.left(1) + felder.left(21) + vorher.mid(22, 42) + felder.mid(21) + vorher.mid(90));
        QTEST(KonfigurationAusAbbild(abbild, Masterumleitung::aus), "gelesen");
    }

    // 0x00 ends a field, "A" and 0xFF are skipped, an unknown forwarding code keeps the shown one, and
    // whatever lies past a short image reads as empty; built from a short read, no field moves.
    void lesen()
    {
        const QByteArray abbild = QByteArray::fromHex("00 05 30ff3100 31413200 00000000 00 01 ff31320000 03")
                                      .leftJustified(90, '\0');
        Konfiguration k{.PIN = "12",
                        .LokaleRufzeit = "01",
                        .ExterneRufzeit = "12",
                        .Türgesprächszeit = "",
                        .Mithören = false,
                        .masterumleitung = Masterumleitung::sofort};
        QCOMPARE(KonfigurationAusAbbild(abbild, Masterumleitung::sofort), k);
        k.PIN.clear();
        k.variante = Variante::Nacht;
        k.masterumleitung = Masterumleitung::verzögert;
        QCOMPARE(KonfigurationAusAbbild(abbild.left(14), Masterumleitung::verzögert), k);
        QCOMPARE(KonfigurationInAbbild(QByteArray(30, '\x07'), {}).mid(21),
                 bytes("." + QByteArray(8, '\x07') + QByteArray(34, '.') + " " + QByteArray(25, '.')));
    }

    void windows1252()
    {
        QByteArray alle(256, '\0');
        for (int i = 0; i < 256; ++i)
            alle[i] = static_cast<char>(i);
        QCOMPARE(windows1252::kodieren(windows1252::dekodieren(alle)), alle);
        QCOMPARE(windows1252::kodieren(u"Müller €"), QByteArray("M\xFCller \x80"));
        QCOMPARE(windows1252::dekodieren("Gr\xFC\xDF \x84x\x93"), QString::fromUtf8("Grüß „x“"));
        // A pair of surrogates makes one "?", a lone one too.
        QCOMPARE(windows1252::kodieren(u"😀Ω😀"), "???");
        QCOMPARE(windows1252::kodieren(QString(QChar(0xD83D))), "?");
    }
};

QTEST_APPLESS_MAIN(tst_Konfigurationsbereich)
#include "tst_konfigurationsbereich.moc"
