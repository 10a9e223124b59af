// The link engine on a virtual clock: requests, whole transfers, and every time limit, retry and abort
// with what goes on the wire and when.

#include "EngineHarness.h"
#include "Rahmen.h"

#include <QTest>

using namespace kommunikation;
using Eingaben = QList<std::pair<Millis, QByteArray>>;
using Art = EngineHarness::Art;

namespace {

const QByteArray NAK(1, Zeichen::NAK), ACK(1, Zeichen::ACK), EOT(1, Zeichen::EOT), CAN(1, Zeichen::CAN);

// The captions of a countdown from `von` to 0, then `nullen` more at 0.
QStringList countdown(const QString& text, int von, int nullen = 0)
{
    QStringList liste;
    for (int s = von; s >= -nullen; --s)
        liste << QStringLiteral("%1 %2 Sekunden").arg(text).arg(std::max(s, 0));
    return liste;
}

} // namespace

class tst_LinkEngine : public QObject {
    Q_OBJECT
private slots:
    void requests_data();
    void requests();
    void ablauf_data();
    void ablauf();
    void loggingAndLostPort();
};

void tst_LinkEngine::requests_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("a");
    QTest::addColumn<QList<QByteArray>>("anfrage");
    QTest::addColumn<QStringList>("beschriftung");
    const auto zeile = [](const char* name, Op op, const char* anfrage, const char* text, int a = 0) {
        QTest::newRow(name) << int(op) << a << QList<QByteArray>{anfrage} << QStringList{text};
    };
    zeile("firmware", Firmware, "s\r", "Firmwaresenden Initialisierung");
    zeile("firmware to the bootloader", Bootlader, "s", "Firmwaresenden Initialisierung");
    zeile("bus driver", Bustreiber, "p\r", "Bustreibersenden Initialisierung");
    zeile("image store", AbbildSenden, "D\r", "Konfigurationsenden Initialisierung");
    zeile("image read", AbbildLesen, "U\r", "Konfigurationladen Initialisierung");
    zeile("version", Version, "i\r", "Firmwareversionauslesen Initialisierung");
    zeile("call button 3", Ruftaste, "z103\r", "RuftastenInformationAbholen Initialisierung", 3);
    zeile("call button 12", Ruftaste, "z112\r", "RuftastenInformationAbholen Initialisierung", 12);
    zeile("logging", Loggen, "t\r", "Loggen EIN");
}

void tst_LinkEngine::requests()
{
    QFETCH(int, op);
    QFETCH(int, a);
    EngineHarness h;
    h.now = 500;
    QCOMPARE(starten(h, op, xmodem::pattern(1000), a), Ergebnis::Erfolg);
    QTEST(h.writes(), "anfrage");
    QTEST(h.captions(), "beschriftung");
    QCOMPARE(h.count(Art::EmpfangLeeren), 1);
    // Only block operations show the progress window, from 0 of their size.
    const bool block = op <= AbbildLesen;
    QCOMPARE(h.werte(Art::FortschrittMaximum),
             block ? QList<int>{op == AbbildLesen ? Abbildgröße : 1000} : QList<int>{});
    QCOMPARE(h.werte(Art::Fortschritt), block ? QList<int>{0} : QList<int>{});
    QCOMPARE(h.count(Art::FensterZeigen), block ? 1 : 0);
    QCOMPARE(h.engine.nextDeadline(), op == Loggen ? std::optional<Millis>() : 1500);

    // While one runs, every other is refused without a trace.
    const size_t vorher = h.effekte.size();
    for (int andere = Firmware; andere <= Loggen; ++andere)
        QCOMPARE(starten(h, andere, "x"), Ergebnis::Belegt);
    QCOMPARE(h.effekte.size(), vorher);
}

void tst_LinkEngine::ablauf_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<Eingaben>("eingaben");
    QTest::addColumn<QStringList>("schreiben"); // after the request: when, and NAK, ACK, EOT, CAN or #block
    QTest::addColumn<Millis>("ende");
    QTest::addColumn<int>("ergebnis");
    QTest::addColumn<QByteArray>("daten");
    QTest::addColumn<QStringList>("countdown");
    QTest::addColumn<bool>("abgemeldet"); // logging was switched off just before
    const QStringList warten = countdown("Warte auf Daten. Noch ", 3, 3);
    const auto zeile = [&](const char* name, Op op, const Eingaben& eingaben, const QStringList& schreiben,
                           Millis ende, Ergebnis ergebnis, const QByteArray& daten = {},
                           const QStringList& countdown = {}, bool abgemeldet = false) {
        // Every read polls once at 1 s before its first frame.
        const QStringList texte = op == AbbildLesen && countdown.isEmpty() ? warten.mid(0, 1) : countdown;
        QTest::newRow(name) << int(op) << eingaben << schreiben << ende << int(ergebnis) << daten << texte
                            << abgemeldet;
    };
    const auto T = Ergebnis::Timeout, F = Ergebnis::Transferfehler, OK = Ergebnis::Erfolg;
    const QString speichert = "Klingport speichert Daten. Dauer ca.";

    // Uploads of two blocks.
    zeile("no first NAK: 2 s, no CAN", Firmware, {}, {}, 2000, T);
    zeile("block 1 unanswered: repeated at 2, 4, 6 ticks", Bustreiber, {{500, NAK}},
          {"500 #1", "2500 #1", "4500 #1", "6500 #1", "8500 CAN"}, 8500, T);
    zeile("block 2 unanswered: the ACK starts the count anew", Firmware, {{500, NAK}, {600, ACK}},
          {"500 #1", "600 #2", "2600 #2", "4600 #2", "6600 #2", "8600 CAN"}, 8600, T);
    zeile("block NAKed three times", AbbildSenden, {{500, NAK}, {600, NAK}, {700, NAK}, {800, NAK}},
          {"500 #1", "600 #1", "700 #1", "800 CAN"}, 800, F);
    zeile("CAN for the request", Firmware, {{100, CAN}}, {}, 100, F);
    zeile("CAN for block 1", Firmware, {{100, NAK}, {200, CAN}}, {"100 #1"}, 200, F);
    const Eingaben hochgeladen{{100, "x"}, {100, NAK}, {200, ACK}, {300, ACK}}; // "x": neither NAK nor CAN
    const QStringList gesendet{"100 #1", "200 #2", "400 EOT"};                  // EOT once the line was quiet
    zeile("CAN for EOT", Firmware, hochgeladen + Eingaben{{2400, CAN}}, gesendet, 2400, F, {},
          countdown(speichert, 5).mid(0, 2));
    zeile("firmware stored in time", Firmware, hochgeladen + Eingaben{{1299, ACK}}, gesendet, 1299, OK);
    zeile("firmware store times out after 60 s", Firmware, hochgeladen, gesendet, 60400, T, {},
          countdown(speichert, 5));
    zeile("bus driver store times out", Bustreiber, hochgeladen, gesendet, 60400, T, {},
          countdown(speichert, 50));
    // What follows an ACK was waiting in the buffer the next frame's drain empties.
    zeile("image stored", AbbildSenden, {{100, NAK}, {200, ACK + NAK + NAK + NAK}, {300, ACK}, {2800, ACK}},
          gesendet, 2800, OK, {}, countdown(speichert, 0));
    zeile("a second ACK for the last block is not the store's", AbbildSenden,
          {{100, NAK}, {200, ACK}, {300, ACK}, {350, ACK}, {2800, ACK}}, {"100 #1", "200 #2", "450 EOT"},
          2800, OK, {}, countdown(speichert, 0));

    // Reads of the test image.
    QByteArray abbild = xmodem::pattern(Abbildgröße, 5);
    abbild[3] = Zeichen::CAN; // a CAN inside a frame is data, not an abort
    const auto F_ = [&](int n) { return xmodem::block(abbild, n); };
    const auto schlecht = [&](int n, int stelle, int maske) {
        QByteArray rahmen = F_(n);
        rahmen[stelle] = char(rahmen[stelle] ^ maske);
        return rahmen;
    };
    zeile("read, silent: NAK each second", AbbildLesen, {},
          {"1000 NAK", "2000 NAK", "3000 NAK", "4000 NAK", "5000 NAK", "6000 NAK", "7000 NAK", "8000 CAN"},
          8000, T, {}, warten);
    for (const auto& [name, stelle, maske] : {std::tuple("bad checksum three times", 131, 0x01),
                                              {"bad complement three times", 2, 0x10},
                                              {"bad block number three times", 1, 0x02},
                                              {"no SOH three times", 0, 0x03}}) {
        const QByteArray b = schlecht(2, stelle, maske);
        zeile(name, AbbildLesen, {{1100, F_(1)}, {1200, b}, {1300, b}, {1400, b}},
              {"1000 NAK", "1100 ACK", "1200 NAK", "1300 NAK", "1400 CAN"}, 1400, F);
    }
    const QByteArray b2 = schlecht(2, 131, 1), b3 = schlecht(3, 131, 1);
    zeile("a good frame starts the bad count anew", AbbildLesen,
          {{1100, F_(1)}, {1200, b2}, {1300, b2}, {1400, F_(2)}, {1500, b3}, {1600, b3}, {1700, CAN}},
          {"1000 NAK", "1100 ACK", "1200 NAK", "1300 NAK", "1400 ACK", "1500 NAK", "1600 NAK"}, 1700, F);
    zeile("short frame NAKed after 2 s, then whole; later cut short for good", AbbildLesen,
          {{1100, F_(1)}, {1200, F_(2).left(100)}, {3200, F_(2)}, {3300, F_(3).left(131)}},
          {"1000 NAK", "1100 ACK", "3100 NAK", "3200 ACK", "5200 NAK", "7200 NAK", "9200 NAK", "11200 CAN"},
          11200, T);
    zeile("what follows a frame in its chunk is thrown away", AbbildLesen,
          {{1100, F_(1) + F_(2)}, {1200, F_(2)}, {1300, CAN}}, {"1000 NAK", "1100 ACK", "1200 ACK"}, 1300, F);
    zeile("CAN instead of block 1", AbbildLesen, {{1100, CAN}}, {"1000 NAK"}, 1100, F);
    Eingaben alle, einzeln;
    QStringList acks{"1000 NAK"};
    for (int n = 1; n <= AbbildBlöcke; ++n) {
        alle.append({1000 + 10 * n, F_(n)});
        for (char c : F_(n))
            einzeln.append({1000 + 10 * n, QByteArray(1, c)});
        acks << QStringLiteral("%1 ACK").arg(1000 + 10 * n);
    }
    zeile("whole image, a byte at a time", AbbildLesen, einzeln + Eingaben{{1500, "junk"}, {1600, EOT}},
          acks + QStringList{"1600 ACK"}, 1600, OK, abbild);
    zeile("CAN instead of EOT", AbbildLesen, alle + Eingaben{{2000, CAN}}, acks, 2000, F);
    zeile("EOT missing: 8 s after the last ACK", AbbildLesen, alle, acks + QStringList{"9480 CAN"}, 9480, T);

    // Queries: no window, no CAN.
    zeile("version, CR and LF apart", Version, {{100, "Klingport V2.10 PIC\r"}, {150, "\n"}}, {}, 150, OK,
          "Klingport V2.10 PIC\r\n");
    zeile("version without CR LF", Version, {{100, "Klingport V2"}}, {}, 2000, T);
    zeile("Koppler without CR LF", Version, {{100, "KOPPLER 1.0"}}, {}, 2000, OK, "KOPPLER 1.0");
    zeile("call button", Ruftaste, {{100, "12 34 56 78 9A \r\n"}}, {}, 100, OK, "12 34 56 78 9A \r\n");
    // After the log-off the request waits until the line is quiet, or a report's tail were the answer.
    const QByteArray version = "Klingport V2.10 PIC\r\n";
    zeile("version after log-off", Version, {{40, "01 00 01\r\n"}, {200, version}}, {"140 i"}, 200, OK,
          version, {}, true);
    Eingaben unruhig;
    for (Millis t = 90; t < 1000; t += 90)
        unruhig.append({t, "x"});
    zeile("version after log-off, never quiet", Version, unruhig + Eingaben{{1050, version}}, {"1000 i"},
          1050, OK, version, {}, true);
    zeile("call button silent", Ruftaste, {}, {}, 3000, T);
    zeile("call button: Koppler does not count", Ruftaste, {{100, "Koppler"}}, {}, 3000, T);
}

void tst_LinkEngine::ablauf()
{
    QFETCH(int, op);
    QFETCH(Eingaben, eingaben);
    QFETCH(QStringList, schreiben);
    QFETCH(int, ergebnis);
    EngineHarness h;
    const QByteArray hochladen = xmodem::pattern(2 * Blockgröße, 1);
    QFETCH(bool, abgemeldet);
    if (abgemeldet)
        h.engine.LoggenAus(0);
    starten(h, op, hochladen);
    const QMap<QByteArray, QString> wörter{{CAN.repeated(3), "CAN"},
                                           {NAK, "NAK"},
                                           {ACK, "ACK"},
                                           {EOT, "EOT"},
                                           {"i\r", "i"},
                                           {xmodem::block(hochladen, 1), "#1"},
                                           {xmodem::block(hochladen, 2), "#2"}};
    QStringList geschrieben;
    qsizetype i = 0;
    while (!h.engine.idle() && h.now < 600000) {
        const auto frist = h.engine.nextDeadline();
        const size_t vorher = h.effekte.size();
        if (i < eingaben.size() && (!frist || eingaben[i].first < *frist)) {
            h.now = eingaben[i].first;
            h.receive(eingaben[i++].second);
        } else {
            QVERIFY(frist);
            h.advanceTo(*frist);
        }
        for (const QByteArray& b : h.writes(vorher))
            geschrieben << QStringLiteral("%1 %2").arg(h.now).arg(wörter.value(b, b.toHex()));
    }
    QCOMPARE(geschrieben, schreiben);
    QCOMPARE(i, eingaben.size());
    QTEST(h.now, "ende");
    QCOMPARE(h.engine.antwort().code(), ergebnis);
    QTEST(h.engine.antwort().daten, "daten");
    QVERIFY(!h.engine.nextDeadline()); // no timer left to disturb the next operation
    QTEST(h.captions().filter("Sekunden"), "countdown");
    QCOMPARE(h.count(Art::FensterVerbergen), h.count(Art::FensterZeigen));
    QCOMPARE(h.engine.übertragungGestartet(),
             (op == Firmware || op == Bustreiber) && !schreiben.filter(" #1").isEmpty());
    if (ergebnis != 0 || op > AbbildLesen)
        return;
    // A whole transfer: its progress and caption.
    const bool lesen = op == AbbildLesen;
    QList<int> fortschritt{0};
    for (int n = 1; n <= (lesen ? AbbildBlöcke : 3); ++n)
        fortschritt << (lesen ? n : n - 1) * Blockgröße;
    QCOMPARE(h.werte(Art::Fortschritt), fortschritt);
    QVERIFY(h.captions().contains(lesen ? "Daten werden ausgelesen" : "Daten werden übertragen"));
}

void tst_LinkEngine::loggingAndLostPort()
{
    EngineHarness h;
    h.engine.LoggenAus(h.now); // sent while idle too, with nothing to wait for
    h.take();
    QCOMPARE(h.writes(), QList<QByteArray>{"n\r"});
    QCOMPARE(h.captions(), QStringList{"Loggen AUS"});
    QCOMPARE(h.count(Art::EmpfangLeeren), 0);
    QVERIFY(h.engine.idle() && !h.engine.nextDeadline());

    starten(h, Loggen, {});
    h.engine.portFailed(); // a lost port ends logging
    QVERIFY(h.engine.idle());

    // Logging off cuts a running transfer short: an abort, with no timer left.
    starten(h, AbbildLesen, {});
    h.advanceTo(1000);
    h.engine.LoggenAus(h.now);
    h.take();
    QVERIFY(h.engine.idle() && !h.engine.nextDeadline());
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Transferfehler);
    QCOMPARE(h.writes().last(), "n\r");

    h.now += Ruhegrenze; // past the wait for quiet after the log-off
    starten(h, Firmware, "abc");
    h.receive(NAK);
    h.engine.portFailed();
    h.take();
    QVERIFY(h.engine.idle() && !h.engine.nextDeadline());
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Transferfehler);
    QCOMPARE(h.count(Art::FensterVerbergen), 2);

    // A query after them hides no window it never showed.
    starten(h, Version, {});
    h.receive("Klingport\r\n");
    QVERIFY(h.engine.antwort().erfolgreich());
    QCOMPARE(h.count(Art::FensterVerbergen), 2);
}

QTEST_APPLESS_MAIN(tst_LinkEngine)
#include "tst_link_engine.moc"
