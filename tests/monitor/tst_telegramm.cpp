// The decoder of the device's telegram reports, and the link's cutting of the line into reports.

#include "LinkEngine.h"
#include "Telegramm.h"

#include <QTest>

class tst_Telegramm : public QObject {
    Q_OBJECT
private slots:
    void dekodieren_data()
    {
        QTest::addColumn<QByteArray>("bericht");
        QTest::addColumn<QString>("text");
        const QString s = "Klingport sendet: ", e = "Klingport empfängt: ", t = "Klingport ruft: ";
        const QString a = " Anrufbeantworterfunktion",
                      extern_ = "einen externen Teilnehmer mit der Rufnummer: ";
        // A report as the line brings it, ended by CR LF.
        const auto zeile = [](const char* bericht, const QString& text) {
            QTest::newRow(bericht) << QByteArray(bericht) + "\r\n" << text;
        };
        zeile("S: 12 0A1B2C3D", s + "Internruf an 0A1B2C3D");
        zeile("S: 21 0A1B2C3D", s + "Türgesprächsbeginn mit 0A1B2C3D");
        zeile("S: 22 0A1B2C3D", s + "Interngesprächsbeginn mit 0A1B2C3D");
        zeile("S: 20 0A1B2C3D", s + "Gesprächsende mit 0A1B2C3D");
        zeile("S: 31 0A1B2C3D", s + "Tür öffnen an 0A1B2C3D");
        zeile("S: 42 0A1B2C3D FF", s + "Schaltfunktion EIN an 0A1B2C3D");
        zeile("S: 42 0A1B2C3D 00", s + "Schaltfunktion AUS an 0A1B2C3D");
        zeile("S: 42 0A1B", s + "Schaltfunktion AUS an 0A1B");
        zeile("S: 81", s + "Prüfgerätemodus EIN");
        zeile("S: 82", s + "Prüfgerätemodus AUS");
        zeile("S: A0 FF", s + "Audioeingang TLN EIN");
        zeile("S: A0 00", s + "Audioeingang TLN AUS");
        zeile("S: A1 FF", s + "Sendestufe an Bus EIN");
        zeile("S: A1 ff", s + "Sendestufe an Bus AUS");
        zeile("S: A2", s + "Reset des Systems");
        zeile("S: A3 0A1B2C3D", s + "Eingehender Ruf ist im Tel.Buch bekannt ");
        zeile("S: 99 0A1B2C3D", s + "S: 99 0A1B2C3D\r\n");
        zeile("E: 20 0A1B2C3D 01", e + "Gesprächsende von 0A1B2C3D Subadresse 01");
        zeile("E: 11 0A1B2C3D 02", e + "Türruf von 0A1B2C3D Subadresse 02");
        zeile("E: 12 0A1B2C3D 03", e + "Internruf von 0A1B2C3D Subadresse 03");
        zeile("E: 21 0A1B2C3D", e + "Türrufannahme von 0A1B2C3D");
        zeile("E: 22 0A1B2C3D", e + "Internrufannahme von 0A1B2C3D");
        zeile("E: 01 0A1B2C3D", e + "Systemprogrammierung EIN 0A1B2C3D");
        zeile("E: 00 0A1B2C3D", e + "Systemprogrammierung AUS 0A1B2C3D");
        zeile("E: 03 0A1B2C3D", e + "Aktorprogrammierung EIN 0A1B2C3D");
        zeile("E: 02 0A1B2C3D", e + "Aktorprogrammierung AUS 0A1B2C3D");
        zeile("E: 7F", e + "E: 7F\r\n");
        zeile("T: LOCAL 00 01 01", t + "mit der Masterrufumleitung den lokalen Teilnehmer mit aktiver" + a);
        zeile("T: LOCAL 0A 01 00", t +
                                       "aus Telefonbuch mit Index 10 und aktivierter Variante 2 den lokalen "
                                       "Teilnehmer mit inaktiver" +
                                       a);
        zeile("T: DIAL  32 00 00 - 0301234567",
              t + "aus Telefonbuch mit Index 50 und aktivierter Variante 1 " + extern_ +
                  "''0301234567'' mit inaktiver" + a);
        zeile("T: DIAL  00 00 07", t + "mit der Masterrufumleitung " + extern_ + "''''");
        zeile("T: OTHER 01 02 02", t + "aus Telefonbuch mit Index 1 ");
        zeile("T: LOCAL ZZ 00 00",
              t +
                  "aus Telefonbuch mit ungültigem Index \"ZZ\" und aktivierter Variante 1 den "
                  "lokalen Teilnehmer mit inaktiver" +
                  a);
        zeile("T: LO", t + "aus Telefonbuch mit ungültigem Index \"\" ");
        zeile("X: 12 0A1B2C3D", "");
        // A CR or LF inside a report would split its log line.
        zeile("S=00\n\r1", s + "S=00  1\r\n");
        zeile("T: DIAL  00 00 07 - 030\r12", t + "mit der Masterrufumleitung " + extern_ + "''030 12''");
        QTest::newRow("E 11 ohne Zeilenende")
            << QByteArray("E: 11 0A1B2C3D") << e + "Türruf von 0A1B2C3D Subadresse ";
        QTest::newRow("T ohne Zeilenende")
            << QByteArray("T") << t + "aus Telefonbuch mit ungültigem Index \"\" ";
        QTest::newRow("S ohne Zeilenende") << QByteArray("S") << s + "S";
        QTest::newRow("leer") << QByteArray() << QString();
    }
    void dekodieren()
    {
        QFETCH(QByteArray, bericht);
        QTEST(BerichtDekodieren(bericht), "text");
    }

    // The link cuts reports at CR LF however the line hands them over.
    void zeilenende()
    {
        const QByteArray zwei = "S: 31 0A1B2C3D\r\nT: DIAL  01 00 01 - 0301\r\n";
        for (int stück : {int(zwei.size()), 1, 7}) {
            kommunikation::LinkEngine engine;
            QCOMPARE(engine.LoggenEin(), kommunikation::Ergebnis::Erfolg);
            QList<QByteArray> berichte;
            for (qsizetype i = 0; i < zwei.size(); i += stück) {
                engine.receive(QByteArrayView(zwei).sliced(i, std::min<qsizetype>(stück, zwei.size() - i)),
                               0);
                for (const kommunikation::Effekt& effekt : engine.takeEffects())
                    if (effekt.art == kommunikation::Effekt::Art::Berichtszeile)
                        berichte.append(effekt.bytes);
            }
            QCOMPARE(berichte, QList<QByteArray>({"S: 31 0A1B2C3D\r\n", "T: DIAL  01 00 01 - 0301\r\n"}));
        }
    }
};

QTEST_APPLESS_MAIN(tst_Telegramm)
#include "tst_telegramm.moc"
