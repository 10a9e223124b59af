// The decoder of the device's telegram reports, and the link's cutting of the line into reports.

#include "LinkEngine.h"
#include "Telegramm.h"

#include <QTest>

class tst_Telegramm : public QObject {
    Q_OBJECT
private slots:
    void decoding_data()
    {
        QTest::addColumn<QByteArray>("bericht");
        QTest::addColumn<QString>("text");
        const QString s = "Klingport sendet: ";
        const QString e = "Klingport empfängt: ";
        const QString t = "Klingport ruft: ";
        const auto zeile = [](const char* inhalt) { return QByteArray(inhalt) + "\r\n"; };
        QTest::newRow("S 12") << zeile("S: 12 0A1B2C3D") << s + "Internruf an 0A1B2C3D";
        QTest::newRow("S 21") << zeile("S: 21 0A1B2C3D") << s + "Türgesprächsbeginn mit 0A1B2C3D";
        QTest::newRow("S 22") << zeile("S: 22 0A1B2C3D") << s + "Interngesprächsbeginn mit 0A1B2C3D";
        QTest::newRow("S 20") << zeile("S: 20 0A1B2C3D") << s + "Gesprächsende mit 0A1B2C3D";
        QTest::newRow("S 31") << zeile("S: 31 0A1B2C3D") << s + "Tür öffnen an 0A1B2C3D";
        QTest::newRow("S 42 FF") << zeile("S: 42 0A1B2C3D FF") << s + "Schaltfunktion EIN an 0A1B2C3D";
        QTest::newRow("S 42 00") << zeile("S: 42 0A1B2C3D 00") << s + "Schaltfunktion AUS an 0A1B2C3D";
        QTest::newRow("S 42 short") << zeile("S: 42 0A1B") << s + "Schaltfunktion AUS an 0A1B";
        QTest::newRow("S 81") << zeile("S: 81") << s + "Prüfgerätemodus EIN";
        QTest::newRow("S 82") << zeile("S: 82") << s + "Prüfgerätemodus AUS";
        QTest::newRow("S A0 FF") << zeile("S: A0 FF") << s + "Audioeingang TLN EIN";
        QTest::newRow("S A0 00") << zeile("S: A0 00") << s + "Audioeingang TLN AUS";
        QTest::newRow("S A1 FF") << zeile("S: A1 FF") << s + "Sendestufe an Bus EIN";
        QTest::newRow("S A1 ff") << zeile("S: A1 ff") << s + "Sendestufe an Bus AUS";
        QTest::newRow("S A2") << zeile("S: A2") << s + "Reset des Systems";
        QTest::newRow("S A3") << zeile("S: A3 0A1B2C3D") << s + "Eingehender Ruf ist im Tel.Buch bekannt ";
        QTest::newRow("S unknown") << zeile("S: 99 0A1B2C3D") << s + "S: 99 0A1B2C3D\r\n";
        QTest::newRow("E 20") << zeile("E: 20 0A1B2C3D 01") << e + "Gesprächsende von 0A1B2C3D Subadresse 01";
        QTest::newRow("E 11") << zeile("E: 11 0A1B2C3D 02") << e + "Türruf von 0A1B2C3D Subadresse 02";
        QTest::newRow("E 12") << zeile("E: 12 0A1B2C3D 03") << e + "Internruf von 0A1B2C3D Subadresse 03";
        QTest::newRow("E 11 without subaddress")
            << QByteArray("E: 11 0A1B2C3D") << e + "Türruf von 0A1B2C3D Subadresse ";
        QTest::newRow("E 21") << zeile("E: 21 0A1B2C3D") << e + "Türrufannahme von 0A1B2C3D";
        QTest::newRow("E 22") << zeile("E: 22 0A1B2C3D") << e + "Internrufannahme von 0A1B2C3D";
        QTest::newRow("E 01") << zeile("E: 01 0A1B2C3D") << e + "Systemprogrammierung EIN 0A1B2C3D";
        QTest::newRow("E 00") << zeile("E: 00 0A1B2C3D") << e + "Systemprogrammierung AUS 0A1B2C3D";
        QTest::newRow("E 03") << zeile("E: 03 0A1B2C3D") << e + "Aktorprogrammierung EIN 0A1B2C3D";
        QTest::newRow("E 02") << zeile("E: 02 0A1B2C3D") << e + "Aktorprogrammierung AUS 0A1B2C3D";
        QTest::newRow("E unknown") << zeile("E: 7F") << e + "E: 7F\r\n";
        QTest::newRow("T master") << zeile("T: LOCAL 00 01 01")
                                  << t + "mit der Masterrufumleitung den lokalen "
                                         "Teilnehmer mit aktiver Anrufbeantworterfunktion";
        QTest::newRow("T 0A, variant 2, local") << zeile("T: LOCAL 0A 01 00")
                                                << t + "aus Telefonbuch mit Index 10 und aktivierter "
                                                       "Variante 2 den lokalen Teilnehmer mit inaktiver "
                                                       "Anrufbeantworterfunktion";
        QTest::newRow("T dial") << zeile("T: DIAL  32 00 00 - 0301234567")
                                << t + "aus Telefonbuch mit Index 50 und aktivierter Variante 1 einen "
                                       "externen Teilnehmer mit der "
                                       "Rufnummer: ''0301234567'' mit inaktiver Anrufbeantworterfunktion";
        QTest::newRow("T dial without number")
            << zeile("T: DIAL  00 00 07")
            << t + "mit der Masterrufumleitung einen externen Teilnehmer mit "
                   "der Rufnummer: ''''";
        QTest::newRow("T other variant and subscriber")
            << zeile("T: OTHER 01 02 02") << t + "aus Telefonbuch mit Index 1 ";
        QTest::newRow("T index no number")
            << zeile("T: LOCAL ZZ 00 00")
            << t + "aus Telefonbuch mit ungültigem Index \"ZZ\" und aktivierter "
                   "Variante 1 den lokalen Teilnehmer mit inaktiver "
                   "Anrufbeantworterfunktion";
        QTest::newRow("T short") << QByteArray("T") << t + "aus Telefonbuch mit ungültigem Index \"\" ";
        QTest::newRow("unknown kind") << zeile("X: 12 0A1B2C3D") << QString();
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("S only") << QByteArray("S") << s + "S";
        // A CR or LF inside a report would split its log line.
        QTest::newRow("S unknown, LF inside") << zeile("S=00\n\r1") << s + "S=00  1\r\n";
        QTest::newRow("T short index") << zeile("T: LO") << t + "aus Telefonbuch mit ungültigem Index \"\" ";
        QTest::newRow("T dial, CR in number") << zeile("T: DIAL  00 00 07 - 030\r12")
                                              << t + "mit der Masterrufumleitung einen externen "
                                                     "Teilnehmer mit der Rufnummer: ''030 12''";
    }

    void decoding()
    {
        QFETCH(QByteArray, bericht);
        QTEST(BerichtDekodieren(bericht), "text");
    }

    // The link cuts reports at CR LF however the line hands them over.
    void reportsCutAtLineEnd()
    {
        const QByteArray zwei = "S: 31 0A1B2C3D\r\nT: DIAL  01 00 01 - 0301\r\n";
        for (int stück : {int(zwei.size()), 1, 7}) {
            kommunikation::LinkEngine engine;
            QCOMPARE(engine.LoggenEin(), kommunikation::Ergebnis::Erfolg);
            engine.takeEffects();
            QStringList texte;
            for (qsizetype i = 0; i < zwei.size(); i += stück) {
                engine.receive(QByteArrayView(zwei).sliced(i, std::min<qsizetype>(stück, zwei.size() - i)),
                               0);
                for (const kommunikation::Effekt& effekt : engine.takeEffects())
                    if (effekt.art == kommunikation::Effekt::Art::Berichtszeile)
                        texte.append(BerichtDekodieren(effekt.bytes));
            }
            QCOMPARE(texte,
                     QStringList({"Klingport sendet: Tür öffnen an 0A1B2C3D",
                                  "Klingport ruft: aus Telefonbuch mit Index 1 und aktivierter Variante 1 "
                                  "einen externen Teilnehmer mit der Rufnummer: ''0301'' mit aktiver "
                                  "Anrufbeantworterfunktion"}));
        }
    }
};

QTEST_APPLESS_MAIN(tst_Telegramm)
#include "tst_telegramm.moc"
