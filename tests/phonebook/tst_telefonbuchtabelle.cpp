// The phone book as a table: the CSV files spreadsheets write, read or refused naming line and column.

#include "Musterabbild.h"
#include "Telefonbuchtabelle.h"

#include <QTest>

Q_DECLARE_METATYPE(Telefonbuch)

class tst_Telefonbuchtabelle : public QObject {
    Q_OBJECT
private slots:
    void lesen_data()
    {
        QTest::addColumn<QByteArray>("datei");
        QTest::addColumn<Telefonbuch>("buch");
        QTest::addColumn<QString>("fehler"); // empty when the file is taken
        const auto gelesen = [](const char* zeile, const QByteArray& datei, int n,
                                const Telefonbucheintrag& e) {
            Telefonbuch buch;
            buch[n - 1] = e;
            QTest::newRow(zeile) << datei << buch << QString();
        };
        const auto abgelehnt = [](const QString& zeile, const QByteArray& datei, const QString& fehler) {
            QTest::newRow(qPrintable(zeile)) << datei << Telefonbuch{} << fehler;
        };
        // The value in the one column of entry 1; "%1" in the reason stands for it in quotes.
        const auto wert = [&](const QString& spalte, const QString& wert, const QString& grund) {
            abgelehnt(spalte + ' ' + wert, ("Index;" + spalte + "\n1;" + wert + "\n").toUtf8(),
                      "Zeile 2, Spalte \"" + spalte +
                          "\": " + QString(grund).replace("%1", '"' + wert + '"'));
        };
        for (const char* name : {"gefuellt.csv", "gefuellt-libreoffice.csv", "gefuellt-1252.csv"})
            QTest::newRow(name) << testdatei(name) << gefülltesTelefonbuch() << "";
        gelesen("Komma", "Index,Teilnehmer,Telefonnummer Variante 1\r\n7,\"Maier, \"\"Linde\"\"\",0301\r\n",
                7, {"Maier, \"Linde\"", "0301"});
        gelesen("Tabulator, andere Reihenfolge",
                "\xEF\xBB\xBF Adresse \tNotiz\tINDEX\ttürstation\tTastercode\r\n\r\n"
                "00-00-00-00-00-00-00-01\tegal\t50\t4\tfrei\n\t\t\t\t\n",
                50, {"", "", "", "0", "4", "gefangen", "00-00-00-00-00-00-00-01"});
        gelesen("drei Spalten", "Index;Teilnehmer;Telefonnummer Variante 1\n5;Tor;0301\n", 5,
                {"Tor", "0301"});

        abgelehnt("ohne Index", "Teilnehmer\n", "Zeile 1: Die Spalte \"Index\" fehlt in der Kopfzeile.");
        abgelehnt("Spalte doppelt", "Index;Teilnehmer;teilnehmer\r\n",
                  "Zeile 1: Die Spalte \"Teilnehmer\" steht zweimal in der Kopfzeile.");
        abgelehnt("offen", "Index;Teilnehmer\n1;\"A\n2;B\n",
                  "Zeile 2: Ein Anführungszeichen wird nicht geschlossen.");
        abgelehnt("zweimal", "Index\n3\n\n3\n",
                  "Zeile 4, Spalte \"Index\": Der Index 3 steht schon in Zeile 2.");
        // A line break in quotes starts no line, a blank line counts.
        abgelehnt("Zeilenumbruch", "Index;Notiz;Türstation\r\n1;\"a\r\nb\";1\r\n\r\n\r\n\r\n\r\n6;;12\r\n",
                  "Zeile 7, Spalte \"Türstation\": \"12\" ist keine Türstation von 0 bis 9.");
        abgelehnt("Index leer", "Index;Teilnehmer\n ;Tor\n", "Zeile 2, Spalte \"Index\": Der Index fehlt.");
        abgelehnt("51", "Index\n51\n", "Zeile 2, Spalte \"Index\": \"51\" ist kein Index von 1 bis 50.");
        wert("Teilnehmer", "Ein Name, der zu lang ist", "%1 ist länger als 20 Zeichen.");
        wert("Teilnehmer", "Tür ✓", "Das Zeichen \"✓\" kann der Klingport nicht speichern.");
        wert("Teilnehmer", "\"A\tB\"",
             "Der Name enthält ein Steuerzeichen wie Tabulator oder Zeilenumbruch.");
        wert("Telefonnummer Variante 2", "1234567890123456789012345", "%1 ist länger als 24 Zeichen.");
        wert("Telefonnummer Variante 1", "+49 30",
             "%1 ist keine Telefonnummer: erlaubt sind Ziffern und , p P * # F f.");
        wert("Anrufbeantworter", "4", "%1 ist kein Anrufbeantworter von 0 bis 3.");
        wert("Adresse", "00-0b-00-00-00-00-00-00", "%1 ist keine Adresse der Form 00-00-00-00-00-00-00-00.");

        // What the program writes reads back as it was, also a name with ";" or quotes.
        Telefonbuch buch = gefülltesTelefonbuch();
        buch[48].Teilnehmer = "Tor; Hof";
        buch[49] = {"Café \"Linde\"", "0,p*#Ff9", "", "2", "1", "frei", "00-00-00-00-00-00-00-00"};
        QTest::newRow("geschrieben") << TelefonbuchAlsTabelle(buch) << buch << "";
    }
    void lesen()
    {
        QFETCH(QByteArray, datei);
        QFETCH(Telefonbuch, buch);
        QFETCH(QString, fehler);
        const auto gelesen = TelefonbuchAusTabelle(datei);
        const auto* abgelehnt = std::get_if<Telefonbuchfehler>(&gelesen);
        QCOMPARE(abgelehnt ? abgelehnt->text() : QString(), fehler);
        QVERIFY(abgelehnt || std::get<Telefonbuch>(gelesen) == buch);
    }
};

QTEST_APPLESS_MAIN(tst_Telefonbuchtabelle)
#include "tst_telefonbuchtabelle.moc"
