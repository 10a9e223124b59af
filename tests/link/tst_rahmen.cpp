#include "Rahmen.h"

#include <QTest>

using namespace kommunikation;

class tst_Rahmen : public QObject {
    Q_OBJECT
private slots:
    void checksum_data()
    {
        QTest::addColumn<QByteArray>("daten");
        QTest::addColumn<int>("summe");
        QTest::newRow("128 x 0xFF") << QByteArray(128, char(0xFF)) << 0x80;
        QTest::newRow("128 zeros") << QByteArray(128, 0) << 0;
        QTest::newRow("only the first 128 count") << (QByteArray(128, 1) + QByteArray(5, 9)) << 128;
        QTest::newRow("carries wrap") << (QByteArray(1, char(200)) + QByteArray(1, char(100))) << 44;
    }
    void checksum()
    {
        QFETCH(QByteArray, daten);
        QFETCH(int, summe);
        QCOMPARE(csum(daten), summe);
    }

    void headers_data()
    {
        QTest::addColumn<int>("nummer");
        QTest::addColumn<QByteArray>("kopf");
        QTest::newRow("block 1") << 1 << QByteArray("\x01\x01\xFE", 3);
        QTest::newRow("block 48") << 48 << QByteArray("\x01\x30\xCF", 3);
        QTest::newRow("block 0 after wrap") << 0 << QByteArray("\x01\x00\xFF", 3);
    }
    void headers()
    {
        QFETCH(int, nummer);
        QFETCH(QByteArray, kopf);
        const QByteArray rahmen = Blockrahmen(quint8(nummer), QByteArray(128, 'x'));
        QCOMPARE(rahmen.size(), 132);
        QCOMPARE(rahmen.first(3), kopf);
        QCOMPARE(quint8(rahmen.back()), csum(QByteArray(128, 'x')));
        QVERIFY(RahmenGültig(rahmen, quint8(nummer)));
    }

    void badFrames()
    {
        const QByteArray gut = Blockrahmen(7, QByteArray(128, 'a'));
        QByteArray komplement = gut;
        komplement[2] = char(0);
        QByteArray summe = gut;
        summe[131] = char(summe[131] + 1);
        QByteArray soh = gut;
        soh[0] = 0x02;
        QVERIFY(RahmenGültig(gut, 7));
        QVERIFY(!RahmenGültig(gut, 8));
        QVERIFY(!RahmenGültig(komplement, 7));
        QVERIFY(!RahmenGültig(summe, 7));
        QVERIFY(!RahmenGültig(soh, 7));
        QVERIFY(!RahmenGültig(gut.chopped(1), 7));
    }

    void padding()
    {
        const QByteArray daten(257, 'q');
        QCOMPARE(Blockdaten(daten, 2), QByteArray(128, 'q'));
        QCOMPARE(Blockdaten(daten, 3), QByteArray(1, 'q') + QByteArray(127, 0x1A));
        QVERIFY(Blockdaten(daten, 4).isEmpty());
        QVERIFY(Blockdaten(QByteArray(256, 'q'), 3).isEmpty());
        QVERIFY(Blockdaten({}, 1).isEmpty());
    }

    void requests_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("erwartet");
        QTest::newRow("z a=3 b=1") << Anfrage::RuftastenInformation(3, 1) << QByteArray("z103\r");
        QTest::newRow("z a=5 b=12") << Anfrage::RuftastenInformation(5, 12) << QByteArray("z1205\r");
        QTest::newRow("z a=12") << Anfrage::RuftastenInformation(12, 1) << QByteArray("z112\r");
        QTest::newRow("z a=123") << Anfrage::RuftastenInformation(123, 1) << QByteArray("z1123\r");
        QTest::newRow("z negative") << Anfrage::RuftastenInformation(-1, 2) << QByteArray("z2-1\r");
        QTest::newRow("firmware") << Anfrage::FirmwareInit(false) << QByteArray("s\r");
        QTest::newRow("firmware, bootloader") << Anfrage::FirmwareInit(true) << QByteArray("s");
        QTest::newRow("CAN x3") << Anfrage::Abbruch() << QByteArray("\x18\x18\x18");
    }
    void requests()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, erwartet);
        QCOMPARE(bytes, erwartet);
    }
};

QTEST_APPLESS_MAIN(tst_Rahmen)
#include "tst_rahmen.moc"
