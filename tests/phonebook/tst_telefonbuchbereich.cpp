// The phone book half of the device image, and the grid's model of it.

#include "TelefonbuchModell.h"
#include "Telefonbuchbereich.h"

#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(Telefonbucheintrag)

class tst_Telefonbuchbereich : public QObject {
    Q_OBJECT
private slots:
    // Record 2: answering machine "A" at bytes 10 and 36 ("a" is none), door station, address.
    void lesen_data()
    {
        QTest::addColumn<QByteArray>("satz");
        QTest::addColumn<Telefonbucheintrag>("eintrag");
        QTest::newRow("leer") << QByteArray() << Telefonbucheintrag{};
        const QByteArray adresse = QByteArray::fromHex("ff0110a0000000e337");
        const QString gelesen = "FF-01-10-A0-00-00-00-E3";
        QTest::newRow("beide") << QByteArray(10, '\0') + 'A' + QByteArray(25, '\0') + 'A'
                               << Telefonbucheintrag{"", "", "", "3", "0", "frei", "00-00-00-00-00-00-00-00"};
        QTest::newRow("a ist keins") << adresse + '\0' + 'A' + QByteArray(25, '\0') + 'a'
                                     << Telefonbucheintrag{"", "", "", "1", "7", "gefangen", gelesen};
        QTest::newRow("nur 2") << adresse + QByteArray("\0 ", 2) + QByteArray(25, '\0') + 'A'
                               << Telefonbucheintrag{"", "", "", "2", "7", "gefangen", gelesen};
    }
    void lesen()
    {
        QFETCH(QByteArray, satz);
        QByteArray abbild(6144, '\0');
        QTEST(TelefonbuchAusAbbild(abbild.replace(320, satz.size(), satz))[1], "eintrag");
        QVERIFY(TelefonbuchAusAbbild(abbild.left(300))[0] == Telefonbucheintrag{}); // short images too
    }

    // Each cell is cut to its field, so nothing moves: the record's first 37 bytes, and the name.
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
        const Telefonbucheintrag zweiter{"Zweiter", "22", "", "0", "0", "frei", "00-00-00-00-00-00-00-00"};
        const QByteArray abbild = TelefonbuchInAbbild(QByteArray(6144, '\x55'), {eintrag, zweiter});
        QCOMPARE(abbild.mid(256, 64), satz + QByteArray(27, '\0'));
        QCOMPARE(abbild.mid(4096, 20), name.leftJustified(20, '\0'));
        QTEST(TelefonbuchAusAbbild(abbild)[0], "zurück");
        QVERIFY(TelefonbuchAusAbbild(abbild)[1] == zweiter);
    }

    // The configuration area stays, the gaps are zeros, and every entry comes back.
    void ganzesTelefonbuch()
    {
        Telefonbuch buch;
        for (int n = 0; n < Telefonbucheinträge; ++n)
            buch[n] = {
                QString("Größe Ä%1ß").arg(n),
                QString("0,p*#Ff%1").arg(n * 7919),
                QString("P%1").arg(n),
                QString::number(n % 4),
                QString::number(n % 10),
                "gefangen",
                QString("%1-00-00-00-00-00-00-%2").arg(n, 2, 16, QChar('0')).arg(255 - n, 2, 16).toUpper()};
        QByteArray vorher(6144, '\0');
        for (int i = 0; i < vorher.size(); ++i)
            vorher[i] = static_cast<char>(i * 7 + 3);
        const QByteArray abbild = TelefonbuchInAbbild(vorher, buch);
        QCOMPARE(abbild.size(), 6144);
        QCOMPARE(abbild.left(256), vorher.left(256));
        QCOMPARE(abbild.mid(3456, 640) + abbild.mid(5096), QByteArray(640 + 1048, '\0'));
        QVERIFY(TelefonbuchAusAbbild(abbild) == buch);
    }

    // Views repaint the changed entry from what the model tells them.
    void modell()
    {
        TelefonbuchModell modell;
        QCOMPARE(modell.headerData(5, Qt::Horizontal).toString(), "Türstation");
        QCOMPARE(modell.index(49, 0).data().toString() + modell.index(49, 6).data().toString(), "50frei");
        QSignalSpy geändert(&modell, &TelefonbuchModell::dataChanged);
        modell.setEintrag(3, {"Ölmann", {}, {}});
        QCOMPARE(modell.index(2, 1).data().toString(), "Ölmann");
        QCOMPARE(geändert.value(0).mid(0, 2), QVariantList({modell.index(2, 0), modell.index(2, 7)}));
    }
};

QTEST_APPLESS_MAIN(tst_Telefonbuchbereich)
#include "tst_telefonbuchbereich.moc"
