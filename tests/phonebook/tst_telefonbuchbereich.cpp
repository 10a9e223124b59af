// The phone book half of the device image, the entries' derived cells and the grid's model.

#include "TelefonbuchModell.h"
#include "Telefonbuchbereich.h"

#include <QTest>

namespace {

constexpr int Satz1 = 256;  // entry record 1
constexpr int Name1 = 4096; // name 1

QByteArray abbildMitSatz(const QByteArray& satz, int nummer = 1)
{
    QByteArray abbild(6144, '\0');
    abbild.replace(Satz1 + 64 * (nummer - 1), satz.size(), satz);
    return abbild;
}

Telefonbucheintrag erster(const QByteArray& abbild)
{
    return TelefonbuchAusAbbild(abbild)[0];
}

} // namespace

Q_DECLARE_METATYPE(Telefonbucheintrag)

class tst_Telefonbuchbereich : public QObject {
    Q_OBJECT
private slots:
    void zeroImageReadsAsEmptyEntries()
    {
        for (const QByteArray& abbild : {QByteArray(6144, '\0'), QByteArray(300, '\0'), QByteArray()})
            for (const Telefonbucheintrag& e : TelefonbuchAusAbbild(abbild))
                QVERIFY(e == Telefonbucheintrag{});
    }

    void readingRecords_data()
    {
        QTest::addColumn<QByteArray>("satz");
        QTest::addColumn<QString>("anrufbeantworter");
        QTest::addColumn<QString>("türstation");
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QString>("tastercode");
        QByteArray satz(64, '\0');
        satz[10] = 'A';
        satz[36] = 'A';
        QTest::newRow("both flags A") << satz << "3"
                                      << "0"
                                      << "00-00-00-00-00-00-00-00"
                                      << "frei";
        satz[36] = 'a';
        satz[8] = '0';
        QTest::newRow("lower-case a is off, door station '0'") << satz << "1"
                                                               << "0"
                                                               << "00-00-00-00-00-00-00-00"
                                                               << "frei";
        satz[10] = ' ';
        satz[36] = 'A';
        satz[8] = '7';
        satz[0] = 0x0A;
        QTest::newRow("only letters in the address") << satz << "2"
                                                     << "7"
                                                     << "0A-00-00-00-00-00-00-00"
                                                     << "gefangen";
        satz.replace(0, 8, QByteArray::fromHex("ff0110a0000000e3"));
        QTest::newRow("upper-case hexadecimal") << satz << "2"
                                                << "7"
                                                << "FF-01-10-A0-00-00-00-E3"
                                                << "gefangen";
    }

    void readingRecords()
    {
        QFETCH(QByteArray, satz);
        const Telefonbucheintrag e = erster(abbildMitSatz(satz));
        QTEST(e.Anrufbeantworter, "anrufbeantworter");
        QTEST(e.Türstation, "türstation");
        QTEST(e.Adresse, "adresse");
        QTEST(e.Tastercode, "tastercode");
    }

    void writingCells_data()
    {
        QTest::addColumn<Telefonbucheintrag>("eintrag");
        QTest::addColumn<QByteArray>("satz");           // the record's first 37 bytes
        QTest::addColumn<QByteArray>("name");           // the name field
        QTest::addColumn<Telefonbucheintrag>("zurück"); // what reading the image gives
        Telefonbucheintrag e;
        e.Teilnehmer = "Müller";
        e.Nummer1 = "012345678901234567890123"; // 24 digits: one closing 0x00
        e.Anrufbeantworter = "1";
        e.Türstation = "0";
        e.Adresse = "0A-ff-10-00-00-00-00-01";
        QByteArray satz =
            QByteArray::fromHex("0a00100000000001") + '0' + '\0' + 'A' + e.Nummer1.toLatin1() + '\0' + ' ';
        Telefonbucheintrag zurück = e;
        zurück.Adresse = "0A-00-10-00-00-00-00-01"; // lower-case digits are written as 0
        zurück.Tastercode = "gefangen";
        QTest::newRow("24 digits, door station '0', lower-case address")
            << e << satz << QByteArray("M\xFCller").leftJustified(20, '\0') << zurück;

        Telefonbucheintrag lang;
        lang.Teilnehmer = QString(25, 'N');
        lang.Nummer1 = QString(30, '9');
        lang.Türstation = "12";
        lang.Anrufbeantworter = "3";
        lang.Adresse = "1";
        satz = QByteArray::fromHex("1000000000000000") + '1' + '\0' + 'A' + QByteArray(24, '9') + '\0' + 'A';
        zurück = lang;
        zurück.Teilnehmer = QString(20, 'N');
        zurück.Nummer1 = QString(24, '9');
        zurück.Türstation = "1";
        zurück.Adresse = "10-00-00-00-00-00-00-00"; // a short cell: the missing digits count as 0
        zurück.Tastercode = "gefangen";
        QTest::newRow("over-long cells are cut") << lang << satz << QByteArray(20, 'N') << zurück;

        Telefonbucheintrag fremd;
        fremd.Türstation = "x";
        fremd.Anrufbeantworter = "x";
        satz = QByteArray(10, '\0') + ' ' + QByteArray(25, '\0') + ' ';
        QTest::newRow("door station no digit")
            << fremd << satz << QByteArray(20, '\0') << Telefonbucheintrag{};
    }

    void writingCells()
    {
        QFETCH(Telefonbucheintrag, eintrag);
        QFETCH(QByteArray, satz);
        QFETCH(QByteArray, name);
        Telefonbuch buch;
        buch[0] = eintrag;
        buch[1].Teilnehmer = "Zweiter";
        buch[1].Nummer1 = "22";
        const QByteArray abbild = TelefonbuchInAbbild(QByteArray(6144, '\x55'), buch);
        QCOMPARE(abbild.size(), 6144);
        QCOMPARE(abbild.mid(Satz1, satz.size()), satz);
        QCOMPARE(abbild.mid(Satz1 + 62, 2), QByteArray(2, '\0'));
        QCOMPARE(abbild.mid(Name1, 20), name);
        const Telefonbuch gelesen = TelefonbuchAusAbbild(abbild);
        QFETCH(Telefonbucheintrag, zurück);
        QVERIFY(gelesen[0] == zurück);
        QCOMPARE(gelesen[1].Teilnehmer, "Zweiter"); // nothing moved
        QCOMPARE(gelesen[1].Nummer1, "22");
    }

    void fullPhoneBookRoundTrip()
    {
        Telefonbuch buch;
        for (int n = 0; n < Telefonbucheinträge; ++n) {
            Telefonbucheintrag& e = buch[n];
            e.Teilnehmer = QString("Größe Ä%1ß").arg(n).left(20);
            e.Nummer1 = QString("0,p*#Ff%1").arg(n * 7919);
            e.Nummer2 = QString("P%1").arg(n);
            e.Anrufbeantworter = QString::number(n % 4);
            e.Türstation = QString::number(n % 10);
            e.Adresse = QString("%1-00-00-00-00-00-00-%2")
                            .arg(n, 2, 16, QChar('0'))
                            .arg(255 - n, 2, 16, QChar('0'))
                            .toUpper();
            e.Tastercode = TastercodeFür(e.Adresse);
        }
        const QByteArray gelesen(6144, '\xA5');
        const QByteArray abbild = TelefonbuchInAbbild(gelesen, buch);
        QCOMPARE(abbild.left(256), gelesen.left(256));
        QCOMPARE(abbild.mid(3456, 640), QByteArray(640, '\0'));
        QCOMPARE(abbild.mid(5096), QByteArray(1048, '\0'));
        QVERIFY(TelefonbuchAusAbbild(abbild) == buch);
    }

    void answeringMachineInPhoneBook()
    {
        Telefonbuch buch;
        QVERIFY(!AnrufbeantworterImTelefonbuch(buch));
        buch[49].Anrufbeantworter = "x";
        QVERIFY(!AnrufbeantworterImTelefonbuch(buch));
        buch[49].Anrufbeantworter = "2";
        QVERIFY(AnrufbeantworterImTelefonbuch(buch));
    }

    void modelShowsTheGrid()
    {
        TelefonbuchModell modell;
        QCOMPARE(modell.rowCount(), 50);
        QCOMPARE(modell.columnCount(), 8);
        QStringList titel;
        for (int s = 0; s < 8; ++s)
            titel << modell.headerData(s, Qt::Horizontal).toString();
        QCOMPARE(titel,
                 QStringList({"Index", "Teilnehmer", "Telefonnummer Variante 1", "Telefonnummer Variante 2",
                              "Anrufbeantworter", "Türstation", "Tastercode", "Adresse"}));
        QStringList leer;
        for (int s = 0; s < 8; ++s)
            leer << modell.index(49, s).data().toString();
        QCOMPARE(leer, QStringList({"50", "", "", "", "0", "0", "frei", "00-00-00-00-00-00-00-00"}));
        for (int s = 0; s < 8; ++s) {
            const bool links = s == 2 || s == 3 || s == 7;
            QCOMPARE(modell.index(0, s).data(Qt::TextAlignmentRole).isValid(), links);
        }
        Telefonbucheintrag e;
        e.Teilnehmer = "Ölmann";
        modell.setEintrag(3, e);
        QCOMPARE(modell.index(2, 1).data().toString(), "Ölmann");
        modell.leeren();
        QVERIFY(modell.eintrag(3) == Telefonbucheintrag{});
    }
};

QTEST_APPLESS_MAIN(tst_Telefonbuchbereich)
#include "tst_telefonbuchbereich.moc"
