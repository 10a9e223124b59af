// The link engine on a virtual clock: states, limits, retries and what goes on the wire.

#include "EngineHarness.h"

#include <QTest>

using namespace kommunikation;

namespace {

const QByteArray NAK(1, Zeichen::NAK);
const QByteArray ACK(1, Zeichen::ACK);
const QByteArray EOT(1, Zeichen::EOT);
const QByteArray CAN(1, Zeichen::CAN);
const QByteArray CAN3(3, Zeichen::CAN);

QByteArray muster(int größe, int startwert = 0)
{
    QByteArray daten(größe, 0);
    for (int i = 0; i < größe; ++i)
        daten[i] = char((i * 7 + startwert) & 0xFF);
    return daten;
}

QByteArray rahmenVon(const QByteArray& abbild, int block)
{
    return Blockrahmen(quint8(block), Blockdaten(abbild, block));
}

// Blocks `von` to `bis` of `abbild`, each frame in one receive event.
void blöckeLiefern(EngineHarness& h, const QByteArray& abbild, int von, int bis)
{
    for (int block = von; block <= bis; ++block)
        h.receive(rahmenVon(abbild, block));
}

// An image read up to its first NAK, 1 s after the request.
void leseStarten(EngineHarness& h)
{
    h.engine.KonfigurationLaden(h.now);
    h.advance(1000);
}

enum class Upload { Firmware, Bustreiber, Abbild };

Ergebnis starten(EngineHarness& h, Upload art, const QByteArray& daten)
{
    switch (art) {
    case Upload::Firmware:
        return h.engine.FirmwareSenden(daten, h.now);
    case Upload::Bustreiber:
        return h.engine.BustreiberSenden(daten, h.now);
    case Upload::Abbild:
        return h.engine.KonfigurationSenden(daten, h.now);
    }
    return Ergebnis::Belegt;
}

// An upload the device has accepted with its NAK and then acknowledged `acks` times.
void hochladen(EngineHarness& h, Upload art, const QByteArray& daten, int acks)
{
    starten(h, art, daten);
    h.receive(NAK);
    for (int i = 0; i < acks; ++i)
        h.receive(ACK);
}

} // namespace

Q_DECLARE_METATYPE(Upload)

class tst_LinkEngine : public QObject {
    Q_OBJECT
private slots:
    void logging();

    void uploadWholeExchange_data();
    void uploadWholeExchange();
    void emptyUploadSendsEotAtOnce();
    void firstNakTimesOutAfterTwoSeconds();
    void blockAnswerRepeatsThenGivesUp();
    void storeCountdownAndSixtySecondLimit();

    void readWholeImage_data();
    void readWholeImage();
    void readPollsWithNakThenGivesUp();
    void badFramesAreNakedThenAbort_data();
    void badFramesAreNakedThenAbort();
    void shortFrameIsNakedByTheTimer();
    void missingEotTimesOut();
    void drainDiscardsRestOfChunk();
    void canFromDeviceEnds_data();
    void canFromDeviceEnds();

    void queries_data();
    void queries();
};

void tst_LinkEngine::logging()
{
    EngineHarness h;
    h.engine.LoggenAus(); // sent while idle too, with nothing to wait for
    h.take();
    QCOMPARE(h.takeWrites(), QList<QByteArray>{"n\r"});
    QCOMPARE(h.captions, QStringList{"Loggen AUS"});
    QCOMPARE(h.drains, 0);
    QVERIFY(h.engine.idle());
    QVERIFY(!h.engine.nextDeadline());

    QCOMPARE(h.engine.LoggenEin(), Ergebnis::Erfolg);
    h.take();
    QCOMPARE(h.takeWrites(), QList<QByteArray>{"t\r"});
    QCOMPARE(h.captions.last(), "Loggen EIN");
    QCOMPARE(h.engine.FirmwareSenden("x", h.now), Ergebnis::Belegt);
    QCOMPARE(h.engine.BustreiberSenden("x", h.now), Ergebnis::Belegt);
    QCOMPARE(h.engine.KonfigurationSenden("x", h.now), Ergebnis::Belegt);
    QCOMPARE(h.engine.KonfigurationLaden(h.now), Ergebnis::Belegt);
    QCOMPARE(h.engine.FirmwareAuslesen(h.now), Ergebnis::Belegt);
    QCOMPARE(h.engine.RufInformationAbholen(1, 1, h.now), Ergebnis::Belegt);
    QCOMPARE(h.engine.LoggenEin(), Ergebnis::Belegt);
    QVERIFY(h.engine.takeEffects().empty());
    QCOMPARE(h.engine.kommunikationsModus(), 1);

    // Report lines, cut at CR LF however they arrive: tst_telegramm. No time limit while logging.
    h.receive("S: 31 1A2B");
    QVERIFY(!h.engine.nextDeadline());

    h.engine.LoggenAus();
    h.take();
    QCOMPARE(h.writes, QList<QByteArray>{"n\r"});
    QVERIFY(h.engine.idle());
    QCOMPARE(h.shown + h.hidden, 0); // logging has no progress window
    QCOMPARE(h.engine.FirmwareAuslesen(h.now), Ergebnis::Erfolg);
    h.runUntilIdle();

    h.engine.LoggenEin();
    h.engine.portFailed(); // a lost port ends logging too
    QVERIFY(h.engine.idle());
}

void tst_LinkEngine::uploadWholeExchange_data()
{
    QTest::addColumn<Upload>("art");
    QTest::addColumn<QByteArray>("anfrage");
    QTest::addColumn<QString>("beschriftung");
    QTest::addColumn<bool>("gestartet");
    QTest::addColumn<bool>("stückweise");
    QTest::newRow("firmware") << Upload::Firmware << QByteArray("s\r") << "Firmwaresenden Initialisierung"
                              << true << false;
    QTest::newRow("bus driver") << Upload::Bustreiber << QByteArray("p\r")
                                << "Bustreibersenden Initialisierung" << true << false;
    QTest::newRow("image") << Upload::Abbild << QByteArray("D\r") << "Konfigurationsenden Initialisierung"
                           << false << false;
    QTest::newRow("image, answers in one chunk")
        << Upload::Abbild << QByteArray("D\r") << "Konfigurationsenden Initialisierung" << false << true;
}

void tst_LinkEngine::uploadWholeExchange()
{
    QFETCH(Upload, art);
    QFETCH(QByteArray, anfrage);
    QFETCH(QString, beschriftung);
    QFETCH(bool, gestartet);
    QFETCH(bool, stückweise);

    EngineHarness h;
    const QByteArray abbild = muster(Abbildgröße, 3);
    QCOMPARE(starten(h, art, abbild), Ergebnis::Erfolg);
    h.take();
    QCOMPARE(h.writes, QList<QByteArray>{anfrage});
    QCOMPARE(h.captions.first(), beschriftung);
    QCOMPARE(h.progressMaximum, Abbildgröße);
    QCOMPARE(h.shown, 1);
    QCOMPARE(h.drains, 1);
    QCOMPARE(*h.engine.deadline(Timer::timeoutimer1), 1000);

    h.advance(900); // within the 2 s for the first NAK
    h.receive("x"); // neither NAK nor CAN: ignored
    h.receive(NAK);
    QCOMPARE(h.engine.übertragungGestartet(), gestartet);
    QCOMPARE(h.engine.kommunikationsModus(), 8);
    for (int block = 1; block <= AbbildBlöcke; ++block) {
        QCOMPARE(h.lastWrite(), rahmenVon(abbild, block));
        QCOMPARE(h.progress.last(), (block - 1) * Blockgröße);
        h.advance(10);
        if (stückweise)
            h.receive(ACK + "trailing"); // the drain before the next frame throws the rest away
        else
            h.receive(ACK);
    }
    QCOMPARE(h.lastWrite(), EOT);
    QCOMPARE(h.progress.last(), Abbildgröße);
    QCOMPARE(h.engine.kommunikationsModus(), 11);
    QVERIFY(!h.engine.deadline(Timer::timeoutimer1));
    QVERIFY(h.engine.deadline(Timer::SpeichernTimer));
    QVERIFY(h.engine.deadline(Timer::timeouttimer60));

    h.advance(2500);
    h.receive(ACK);
    QVERIFY(h.engine.idle());
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Erfolg);
    QVERIFY(h.engine.antwort().daten.isEmpty());
    QCOMPARE(h.hidden, 1);
    QVERIFY(!h.engine.nextDeadline());
    QCOMPARE(h.writes.size(), 1 + AbbildBlöcke + 1); // a whole last block needs no extra one
}

void tst_LinkEngine::emptyUploadSendsEotAtOnce()
{
    EngineHarness h;
    hochladen(h, Upload::Firmware, {}, 0);
    QCOMPARE(h.takeWrites(), (QList<QByteArray>{"s\r", EOT}));
    QCOMPARE(h.engine.kommunikationsModus(), 11);
}

void tst_LinkEngine::firstNakTimesOutAfterTwoSeconds()
{
    EngineHarness h;
    h.engine.BustreiberSenden("abc", h.now);
    h.take();
    h.advance(1999);
    QVERIFY(!h.engine.idle());
    h.advance(1);
    QVERIFY(h.engine.idle());
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Timeout);
    QCOMPARE(h.writes, QList<QByteArray>{"p\r"}); // no CAN while waiting for the first answer
    QVERIFY(!h.engine.übertragungGestartet());
    QCOMPARE(h.hidden, 1);
}

void tst_LinkEngine::blockAnswerRepeatsThenGivesUp()
{
    EngineHarness h;
    const QByteArray daten = muster(128);
    h.engine.KonfigurationSenden(daten, h.now);
    h.advance(500);
    h.receive(NAK); // block 1 at 500 ms
    QList<Millis> gesendet;
    while (!h.engine.idle()) {
        const int vorher = h.writes.size();
        h.advance(100);
        if (h.writes.size() > vorher)
            gesendet.append(h.now);
    }
    // Repeated at 2, 4 and 6 ticks; CAN and time-out at the eighth.
    QCOMPARE(gesendet, (QList<Millis>{2500, 4500, 6500, 8500}));
    QCOMPARE(h.countWrites(rahmenVon(daten, 1)), 4);
    QCOMPARE(h.lastWrite(), CAN3);
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Timeout);
}

void tst_LinkEngine::storeCountdownAndSixtySecondLimit()
{
    EngineHarness h;
    hochladen(h, Upload::Firmware, muster(10), 1);
    h.captions.clear();
    h.advance(59999);
    QCOMPARE(h.captions, (QStringList{"Klingport speichert Daten. Dauer ca. 5 Sekunden",
                                      "Klingport speichert Daten. Dauer ca. 4 Sekunden",
                                      "Klingport speichert Daten. Dauer ca. 3 Sekunden",
                                      "Klingport speichert Daten. Dauer ca. 2 Sekunden",
                                      "Klingport speichert Daten. Dauer ca. 1 Sekunden",
                                      "Klingport speichert Daten. Dauer ca. 0 Sekunden"}));
    QVERIFY(!h.engine.idle());
    h.advance(1);
    QVERIFY(h.engine.idle());
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Timeout);
    QVERIFY(!h.engine.nextDeadline());

    EngineHarness bus;
    hochladen(bus, Upload::Bustreiber, muster(10), 1);
    bus.advance(1000);
    QCOMPARE(bus.captions.last(), "Klingport speichert Daten. Dauer ca. 50 Sekunden");

    // A final ACK within the first second ends it before any countdown.
    EngineHarness schnell;
    hochladen(schnell, Upload::Firmware, muster(10), 1);
    schnell.advance(999);
    schnell.receive(ACK);
    QVERIFY(schnell.engine.idle());
    QCOMPARE(schnell.engine.antwort().ergebnis, Ergebnis::Erfolg);
    QVERIFY(schnell.captions.filter("Klingport speichert").isEmpty());
}

void tst_LinkEngine::readWholeImage_data()
{
    QTest::addColumn<bool>("byteweise");
    QTest::addColumn<char>("erstesByte"); // 1 to 3 look like result codes, but are data
    QTest::newRow("frames whole") << false << char(1);
    QTest::newRow("frames whole, first byte 2") << false << char(2);
    QTest::newRow("one byte per receive event") << true << char(3);
}

void tst_LinkEngine::readWholeImage()
{
    QFETCH(bool, byteweise);
    QFETCH(char, erstesByte);
    EngineHarness h;
    QByteArray abbild = muster(Abbildgröße, 11);
    abbild[0] = erstesByte;
    QCOMPARE(h.engine.KonfigurationLaden(h.now), Ergebnis::Erfolg);
    h.take();
    QCOMPARE(h.writes, QList<QByteArray>{"U\r"});
    QCOMPARE(h.progressMaximum, Abbildgröße);
    QCOMPARE(h.shown, 1);
    h.advance(1000);
    QCOMPARE(h.lastWrite(), NAK);
    QCOMPARE(h.captions.last(), "Warte auf Daten. Noch  3 Sekunden");
    for (int block = 1; block <= AbbildBlöcke; ++block) {
        h.writes.clear();
        const QByteArray rahmen = rahmenVon(abbild, block);
        byteweise ? h.receiveEachByte(rahmen) : h.receive(rahmen);
        QCOMPARE(h.writes, QList<QByteArray>{ACK});
        QCOMPARE(h.progress.last(), block * Blockgröße);
        if (block == 1)
            QVERIFY(h.captions.contains("Daten werden ausgelesen"));
    }
    QCOMPARE(h.engine.kommunikationsModus(), 12);
    h.receive(EOT);
    QCOMPARE(h.lastWrite(), ACK);
    QVERIFY(h.engine.idle());
    const Antwort antwort = h.engine.antwort();
    QCOMPARE(antwort.ergebnis, Ergebnis::Erfolg);
    QCOMPARE(antwort.daten, abbild);
    QVERIFY(!h.engine.nextDeadline());
    QCOMPARE(h.hidden, 1);
}

void tst_LinkEngine::readPollsWithNakThenGivesUp()
{
    EngineHarness h;
    h.engine.KonfigurationLaden(h.now);
    h.take();
    h.writes.clear();
    QVERIFY(h.runUntilIdle());
    QCOMPARE(h.now, 8000);
    QList<QByteArray> erwartet(7, NAK);
    erwartet.append(CAN3);
    QCOMPARE(h.writes, erwartet);
    QCOMPARE(h.captions.filter("Warte auf Daten"),
             (QStringList{"Warte auf Daten. Noch  3 Sekunden", "Warte auf Daten. Noch  2 Sekunden",
                          "Warte auf Daten. Noch  1 Sekunden", "Warte auf Daten. Noch  0 Sekunden",
                          "Warte auf Daten. Noch  0 Sekunden", "Warte auf Daten. Noch  0 Sekunden",
                          "Warte auf Daten. Noch  0 Sekunden"}));
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Timeout);
    QVERIFY(h.engine.antwort().daten.isEmpty());
}

void tst_LinkEngine::badFramesAreNakedThenAbort_data()
{
    QTest::addColumn<int>("stelle");
    QTest::addColumn<int>("maske");
    QTest::newRow("wrong checksum") << 131 << 0x01;
    QTest::newRow("wrong complement") << 2 << 0x10;
    QTest::newRow("wrong block number") << 1 << 0x02;
    QTest::newRow("no SOH") << 0 << 0x03;
}

void tst_LinkEngine::badFramesAreNakedThenAbort()
{
    QFETCH(int, stelle);
    QFETCH(int, maske);
    const QByteArray abbild = muster(Abbildgröße);
    const auto schlecht = [&](int block) {
        QByteArray rahmen = rahmenVon(abbild, block);
        rahmen[stelle] = char(rahmen[stelle] ^ maske);
        return rahmen;
    };
    EngineHarness h;
    leseStarten(h);
    blöckeLiefern(h, abbild, 1, 1);
    h.writes.clear();
    h.receive(schlecht(2));
    h.receive(schlecht(2));
    QCOMPARE(h.writes, (QList<QByteArray>{NAK, NAK}));
    h.receive(schlecht(2));
    QVERIFY(h.engine.idle());
    QCOMPARE(h.lastWrite(), CAN3);
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Transferfehler);
    QVERIFY(h.engine.antwort().daten.isEmpty());

    // A good frame between bad ones starts the count anew.
    EngineHarness erholt;
    leseStarten(erholt);
    blöckeLiefern(erholt, abbild, 1, 1);
    erholt.receive(schlecht(2));
    erholt.receive(schlecht(2));
    blöckeLiefern(erholt, abbild, 2, 2);
    erholt.receive(schlecht(3));
    erholt.receive(schlecht(3));
    QVERIFY(!erholt.engine.idle());
}

void tst_LinkEngine::shortFrameIsNakedByTheTimer()
{
    EngineHarness h;
    const QByteArray abbild = muster(Abbildgröße);
    leseStarten(h);
    blöckeLiefern(h, abbild, 1, 1); // ACK at 1000 restarts the count
    h.writes.clear();
    h.receive(rahmenVon(abbild, 2).first(100));
    h.advance(1000);
    QVERIFY(h.writes.isEmpty());
    h.advance(1000);
    QCOMPARE(h.writes, QList<QByteArray>{NAK});
    // The NAK emptied the buffer: a whole frame now is taken as block 2.
    h.receive(rahmenVon(abbild, 2));
    QCOMPARE(h.lastWrite(), ACK);

    h.writes.clear();
    h.receive(rahmenVon(abbild, 3).first(131));
    QVERIFY(h.runUntilIdle());
    QCOMPARE(h.writes, (QList<QByteArray>{NAK, NAK, NAK, CAN3}));
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Timeout);
}

void tst_LinkEngine::missingEotTimesOut()
{
    EngineHarness h;
    leseStarten(h);
    blöckeLiefern(h, muster(Abbildgröße), 1, AbbildBlöcke);
    const Millis letzterBlock = h.now;
    QCOMPARE(h.engine.kommunikationsModus(), 12);
    h.receive("junk"); // anything but EOT or CAN is ignored
    QVERIFY(h.runUntilIdle());
    QCOMPARE(h.now - letzterBlock, 8000);
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Timeout);
    QVERIFY(h.engine.antwort().daten.isEmpty());
}

void tst_LinkEngine::drainDiscardsRestOfChunk()
{
    EngineHarness h;
    const QByteArray abbild = muster(Abbildgröße);
    leseStarten(h);
    // What arrives behind a complete frame was waiting in the buffer the ACK empties.
    h.receive(rahmenVon(abbild, 1) + rahmenVon(abbild, 2));
    h.receive(rahmenVon(abbild, 2));
    QCOMPARE(h.countWrites(ACK), 2);
    QCOMPARE(h.countWrites(NAK), 1);
}

void tst_LinkEngine::canFromDeviceEnds_data()
{
    QTest::addColumn<bool>("lesen");
    QTest::addColumn<int>("schritte"); // upload: ACKs after the first NAK (-1: none); read: good blocks
    QTest::addColumn<int>("zustand");
    QTest::newRow("upload, instead of the first NAK") << false << -1 << 2;
    QTest::newRow("upload, answering block 1") << false << 0 << 8;
    QTest::newRow("upload, answering EOT") << false << 2 << 11;
    QTest::newRow("read, instead of block 1") << true << 0 << 9;
    QTest::newRow("read, instead of block 5") << true << 4 << 10;
    QTest::newRow("read, instead of EOT") << true << 48 << 12;
}

void tst_LinkEngine::canFromDeviceEnds()
{
    QFETCH(bool, lesen);
    QFETCH(int, schritte);
    QFETCH(int, zustand);
    EngineHarness h;
    QByteArray abbild = muster(Abbildgröße);
    abbild[3 * Blockgröße + 7] = Zeichen::CAN; // a CAN inside a frame is data
    if (lesen) {
        leseStarten(h);
        blöckeLiefern(h, abbild, 1, schritte);
    } else if (schritte < 0) {
        starten(h, Upload::Firmware, muster(200));
    } else {
        hochladen(h, Upload::Firmware, muster(200), schritte);
    }
    QCOMPARE(h.engine.kommunikationsModus(), zustand);
    h.take();
    const qsizetype geschrieben = h.writes.size();
    h.receive(CAN);
    QVERIFY(h.engine.idle());
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Transferfehler);
    QVERIFY(h.engine.antwort().daten.isEmpty());
    QCOMPARE(h.writes.size(), geschrieben); // the device's own abort is not answered with CAN
    QVERIFY(!h.engine.nextDeadline());
    QCOMPARE(h.hidden, 1);
}

void tst_LinkEngine::queries_data()
{
    QTest::addColumn<bool>("ruftaste");
    QTest::addColumn<QByteArray>("antwort");
    QTest::addColumn<Millis>("dauer");
    QTest::addColumn<int>("ergebnis");
    QTest::addColumn<QByteArray>("daten");
    const auto zeile = [](const char* name, bool ruftaste, const QByteArray& antwort, Millis dauer,
                          int ergebnis, const QByteArray& daten) {
        QTest::newRow(name) << ruftaste << antwort << dauer << ergebnis << daten;
    };
    const QByteArray version = "Klingport V2.10 PIC\r\n";
    zeile("version", false, version, 0, 0, version);
    zeile("version without CR LF", false, "Klingport V2", 2000, 1, {});
    zeile("Koppler without CR LF", false, "KOPPLER 1.0", 2000, 0, "KOPPLER 1.0");
    zeile("version silent", false, {}, 2000, 1, {});
    zeile("call button", true, "12 34 56 78 9A \r\n", 0, 0, "12 34 56 78 9A \r\n");
    zeile("call button silent", true, {}, 3000, 1, {});
    zeile("call button, Koppler does not count", true, "Koppler", 3000, 1, {});
}

void tst_LinkEngine::queries()
{
    QFETCH(bool, ruftaste);
    QFETCH(QByteArray, antwort);
    QFETCH(Millis, dauer);
    QFETCH(int, ergebnis);
    QFETCH(QByteArray, daten);
    for (bool byteweise : {false, true}) {
        EngineHarness h;
        ruftaste ? h.engine.RufInformationAbholen(3, 1, h.now) : h.engine.FirmwareAuslesen(h.now);
        h.take();
        QCOMPARE(h.captions.first(), ruftaste ? "RuftastenInformationAbholen Initialisierung"
                                              : "Firmwareversionauslesen Initialisierung");
        byteweise ? h.receiveEachByte(antwort) : h.receive(antwort);
        QVERIFY(h.runUntilIdle());
        QCOMPARE(h.now, dauer);
        QCOMPARE(h.engine.antwort().code(), ergebnis);
        QCOMPARE(h.engine.antwort().daten, daten);
        // The request only: queries never send CAN.
        QCOMPARE(h.writes, QList<QByteArray>{ruftaste ? "z103\r" : "i\r"});
        QCOMPARE(h.shown + h.hidden, 0);
    }
}

QTEST_APPLESS_MAIN(tst_LinkEngine)
#include "tst_link_engine.moc"
