// The phone book half of the device image, and the grid's model of it.

#include "TelefonbuchModell.h"
#include "Telefonbuchbereich.h"

#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(Telefonbucheintrag)

class tst_Telefonbuchbereich : public QObject {
    Q_OBJECT
private slots:
    // Record 2: answering machine "A" at bytes 10 and 36 ("a" is none), door station, address; what a
    // short image lacks reads as zeros, also where it ends just before record 1's second one.
    void lesen()
    {
        QByteArray abbild(6144, '\0');
        abbild.replace(320, 37,
                       QByteArray::fromHex("ff0110a0000000e337") + '\0' + 'A' + QByteArray(25, '\0') + 'a');
        QVERIFY(TelefonbuchAusAbbild(abbild)[1] ==
                (Telefonbucheintrag{"", "", "", "1", "7", "gefangen", "FF-01-10-A0-00-00-00-E3"}));
        QVERIFY(TelefonbuchAusAbbild(abbild.left(256 + 36))[0] == Telefonbucheintrag{});
    }

    // Each cell of the first entry is cut to its field, so nothing moves: the record's first 37 bytes,
    // and the name. The configuration area stays, the gaps are zeros, and the other entries come back.
    void schreiben_data()
    {
        QTest::addColumn<Telefonbucheintrag>("eintrag");
        QTest::addColumn<QByteArray>("satz");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<Telefonbucheintrag>("zurück");
        const QString nummer = "012345678901234567890123";
        QTest::newRow("Kleinbuchstaben in der Adresse")
            << Telefonbucheintrag{"Müller", nummer, "", "1", "0", "", "0A-ff-10-00-00-00-00-01"}
            << QByteArray::fromHex("0a00100000000001") + QByteArray("0\0A", 3) + nummer.toLatin1() +
                   QByteArray("\0 ", 2)
            << QByteArray("M\xFCller")
            << Telefonbucheintrag{"Müller", nummer, "", "1", "0", "gefangen", "0A-00-10-00-00-00-00-01"};
        QTest::newRow("zu lang")
            << Telefonbucheintrag{QString(25, 'N'), QString(30, '9'), "", "3", "12", "", "1"}
            << QByteArray::fromHex("1000000000000000") + QByteArray("1\0A", 3) + QByteArray(24, '9') +
                   QByteArray("\0A", 2)
            << QByteArray(20, 'N')
            << Telefonbucheintrag{QString(20, 'N'), QString(24, '9'),         "", "3", "1",
                                  "gefangen",       "10-00-00-00-00-00-00-00"};
        QTest::newRow("keine Ziffer") << Telefonbucheintrag{"", "", "", "x", "x"}
                                      << QByteArray(10, '\0') + ' ' + QByteArray(25, '\0') + ' '
                                      << QByteArray() << Telefonbucheintrag{};
    }
    void schreiben()
    {
        QFETCH(Telefonbucheintrag, eintrag);
        QFETCH(QByteArray, satz);
        QFETCH(QByteArray, name);
        Telefonbuch buch;
        for (int n = 1; n < Telefonbucheinträge; ++n) {
            const QString z = QString::number(n), adresse = QString("%1-00-00-00-00-00-00-%2");
            buch[n] = {"Größe Ä" + z + "ß",
                       "0,p*#Ff" + QString::number(n * 7919),
                       "P" + z,
                       QString::number(n % 4),
                       QString::number(n % 10),
                       "gefangen",
                       adresse.arg(n, 2, 16, QChar('0')).arg(255 - n, 2, 16).toUpper()};
        }
        QByteArray vorher(6144, '\0');
        for (int i = 0; i < vorher.size(); ++i)
            vorher[i] = static_cast<char>(i * 7 + 3);
        buch[0] = eintrag;
        const QByteArray abbild = TelefonbuchInAbbild(vorher, buch);
        QCOMPARE(abbild.left(256), vorher.left(256));
        QCOMPARE(abbild.mid(256, 64), satz + QByteArray(27, '\0'));
        QCOMPARE(abbild.mid(4096, 20), name.leftJustified(20, '\0'));
        QCOMPARE(abbild.mid(3456, 640) + abbild.mid(5096), QByteArray(640 + 1048, '\0'));
        QFETCH(Telefonbucheintrag, zurück);
        buch[0] = zurück;
        QVERIFY(TelefonbuchAusAbbild(abbild) == buch);
    }

    // Views repaint the changed entry from what the model tells them.
    void modell()
    {
        TelefonbuchModell modell;
        QCOMPARE(modell.headerData(5, Qt::Horizontal).toString(), "Türstation");
        QVERIFY(modell.headerData(5, Qt::Vertical).isNull()); // rows are numbered by the "Index" column
        QCOMPARE(modell.index(49, 0).data().toString() + modell.index(49, 6).data().toString(), "50frei");
        QSignalSpy geändert(&modell, &TelefonbuchModell::dataChanged);
        modell.setEintrag(3, {"Ölmann", {}, {}});
        QCOMPARE(modell.index(2, 1).data().toString(), "Ölmann");
        QCOMPARE(geändert.value(0).mid(0, 2), QVariantList({modell.index(2, 0), modell.index(2, 7)}));
    }
};

QTEST_APPLESS_MAIN(tst_Telefonbuchbereich)
#include "tst_telefonbuchbereich.moc"
