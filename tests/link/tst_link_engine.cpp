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

} // namespace

Q_DECLARE_METATYPE(Upload)

class tst_LinkEngine : public QObject {
    Q_OBJECT
private slots:
    void busyWhileLogging();
    void logOffWhileIdle();
    void reportLines();

    void uploadWholeExchange_data();
    void uploadWholeExchange();
    void uploadPadsAndEndsWithEot();
    void emptyUploadSendsEotAtOnce();
    void uploadBlockNumbersWrapPast255();
    void bootloaderFirmwareRequestHasNoCr();
    void firstNakTimesOutAfterTwoSeconds();
    void thirdNakAbortsWithCan();
    void blockAnswerRepeatsThenGivesUp();
    void canEndsUpload_data();
    void canEndsUpload();
    void storeCountdownAndSixtySecondLimit();
    void quickFinalAckShowsNoStoreCaption();

    void readWholeImage_data();
    void readWholeImage();
    void readPollsWithNakThenGivesUp();
    void badFramesAreNakedThenAbort_data();
    void badFramesAreNakedThenAbort();
    void shortFrameIsNakedByTheTimer();
    void missingEotTimesOut();
    void canEndsRead_data();
    void canEndsRead();
    void imageStartingWithFailureCodeIsStillData();
    void drainDiscardsRestOfChunk();

    void queries_data();
    void queries();
    void callButtonRequestBytes();

    void portFailureEndsOperation();
    void progressWindowOnlyForBlockOperations();
};

void tst_LinkEngine::busyWhileLogging()
{
    EngineHarness h;
    QCOMPARE(h.engine.LoggenEin(), Ergebnis::Erfolg);
    h.take();
    QCOMPARE(h.writes, QList<QByteArray>{"t\r"});
    QCOMPARE(h.captions, QStringList{"Loggen EIN"});
    h.writes.clear();

    QCOMPARE(h.engine.FirmwareSenden("x", h.now), Ergebnis::Belegt);
    QCOMPARE(h.engine.BustreiberSenden("x", h.now), Ergebnis::Belegt);
    QCOMPARE(h.engine.KonfigurationSenden("x", h.now), Ergebnis::Belegt);
    QCOMPARE(h.engine.KonfigurationLaden(h.now), Ergebnis::Belegt);
    QCOMPARE(h.engine.FirmwareAuslesen(h.now), Ergebnis::Belegt);
    QCOMPARE(h.engine.RufInformationAbholen(1, 1, h.now), Ergebnis::Belegt);
    QCOMPARE(h.engine.LoggenEin(), Ergebnis::Belegt);
    QVERIFY(h.engine.takeEffects().empty());
    QCOMPARE(h.engine.kommunikationsModus(), 1);

    h.engine.LoggenAus();
    h.take();
    QCOMPARE(h.writes, QList<QByteArray>{"n\r"});
    QVERIFY(h.engine.idle());
    QCOMPARE(h.engine.FirmwareAuslesen(h.now), Ergebnis::Erfolg);
}

void tst_LinkEngine::logOffWhileIdle()
{
    EngineHarness h;
    h.engine.LoggenAus();
    h.take();
    QCOMPARE(h.writes, QList<QByteArray>{"n\r"});
    QCOMPARE(h.captions, QStringList{"Loggen AUS"});
    QCOMPARE(h.drains, 0);
    QVERIFY(h.engine.idle());
    QVERIFY(!h.engine.nextDeadline());
}

void tst_LinkEngine::reportLines()
{
    EngineHarness h;
    h.engine.LoggenEin();
    h.take();
    h.receiveEachByte("S: 31 1A2B3C4D\r");
    QVERIFY(h.reportLines.isEmpty());
    h.receive("\nE: 11 1A2B3C4D 01\r\nT: LOCAL 0A 01 00");
    QCOMPARE(h.reportLines, (QList<QByteArray>{"S: 31 1A2B3C4D\r\n", "E: 11 1A2B3C4D 01\r\n"}));
    h.receive("\r\n");
    QCOMPARE(h.reportLines.last(), QByteArray("T: LOCAL 0A 01 00\r\n"));
    QVERIFY(!h.engine.nextDeadline());
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
    QCOMPARE(h.writes.size(), 1 + AbbildBlöcke + 1);
}

void tst_LinkEngine::uploadPadsAndEndsWithEot()
{
    EngineHarness h;
    const QByteArray daten = muster(257);
    h.engine.FirmwareSenden(daten, h.now);
    h.receive(NAK);
    h.receive(ACK);
    h.receive(ACK);
    QCOMPARE(h.lastWrite(), Blockrahmen(3, daten.right(1) + QByteArray(127, Zeichen::SUB)));
    h.receive(ACK);
    QCOMPARE(h.lastWrite(), EOT);

    EngineHarness genau;
    genau.engine.FirmwareSenden(muster(256), 0);
    genau.receive(NAK);
    genau.receive(ACK);
    genau.receive(ACK);
    QCOMPARE(genau.lastWrite(), EOT);
    QCOMPARE(genau.writes.size(), 1 + 2 + 1);
}

void tst_LinkEngine::emptyUploadSendsEotAtOnce()
{
    EngineHarness h;
    h.engine.FirmwareSenden({}, h.now);
    h.receive(NAK);
    QCOMPARE(h.takeWrites(), (QList<QByteArray>{"s\r", EOT}));
    QCOMPARE(h.engine.kommunikationsModus(), 11);
}

void tst_LinkEngine::uploadBlockNumbersWrapPast255()
{
    EngineHarness h;
    const int blöcke = 300;
    const QByteArray daten = muster(blöcke * Blockgröße - 5);
    h.engine.FirmwareSenden(daten, h.now);
    h.receive(NAK);
    QByteArray wieder;
    for (int block = 1; block <= blöcke; ++block) {
        const QByteArray rahmen = h.lastWrite();
        QCOMPARE(quint8(rahmen[1]), quint8(block & 0xFF));
        QCOMPARE(quint8(rahmen[2]), quint8(255 - (block & 0xFF)));
        wieder += rahmen.sliced(3, Blockgröße);
        h.receive(ACK);
    }
    QCOMPARE(h.lastWrite(), EOT);
    QCOMPARE(wieder, daten + QByteArray(5, Zeichen::SUB));
}

void tst_LinkEngine::bootloaderFirmwareRequestHasNoCr()
{
    EngineHarness h;
    h.engine.setNurBootlader(true);
    h.engine.FirmwareSenden("abc", h.now);
    h.take();
    QCOMPARE(h.writes, QList<QByteArray>{"s"});
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

void tst_LinkEngine::thirdNakAbortsWithCan()
{
    EngineHarness h;
    const QByteArray daten = muster(300);
    h.engine.FirmwareSenden(daten, h.now);
    h.receive(NAK);
    h.receive(ACK);
    h.receive(NAK);
    h.receive(NAK);
    QVERIFY(!h.engine.idle());
    QCOMPARE(h.countWrites(rahmenVon(daten, 2)), 3);
    h.receive(NAK);
    QVERIFY(h.engine.idle());
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Transferfehler);
    QCOMPARE(h.lastWrite(), CAN3);
    QVERIFY(!h.engine.nextDeadline());
}

void tst_LinkEngine::blockAnswerRepeatsThenGivesUp()
{
    EngineHarness h;
    const QByteArray daten = muster(128);
    h.engine.KonfigurationSenden(daten, h.now);
    h.advance(500);
    h.receive(NAK); // block 1 at 500 ms
    QList<kommunikation::Millis> gesendet;
    while (!h.engine.idle()) {
        const int vorher = h.writes.size();
        h.advance(100);
        if (h.writes.size() > vorher)
            gesendet.append(h.now);
    }
    // Repeated at 2, 4 and 6 ticks; CAN and time-out at the eighth.
    QCOMPARE(gesendet, (QList<kommunikation::Millis>{2500, 4500, 6500, 8500}));
    QCOMPARE(h.countWrites(rahmenVon(daten, 1)), 4);
    QCOMPARE(h.lastWrite(), CAN3);
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Timeout);
}

void tst_LinkEngine::canEndsUpload_data()
{
    QTest::addColumn<int>("acks"); // how far the upload gets before the device sends CAN
    QTest::addColumn<int>("zustand");
    QTest::newRow("instead of the first NAK") << -1 << 2;
    QTest::newRow("answering block 1") << 0 << 8;
    QTest::newRow("answering EOT") << 2 << 11;
}

void tst_LinkEngine::canEndsUpload()
{
    QFETCH(int, acks);
    QFETCH(int, zustand);
    EngineHarness h;
    h.engine.FirmwareSenden(muster(200), h.now);
    if (acks >= 0)
        h.receive(NAK);
    for (int i = 0; i < acks; ++i)
        h.receive(ACK);
    QCOMPARE(h.engine.kommunikationsModus(), zustand);
    h.take();
    const int anzahl = int(h.writes.size());
    h.receive(CAN);
    QVERIFY(h.engine.idle());
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Transferfehler);
    QCOMPARE(h.writes.size(), anzahl); // the device's own abort is not answered with CAN
    QVERIFY(!h.engine.nextDeadline());
    QCOMPARE(h.hidden, 1);
}

void tst_LinkEngine::storeCountdownAndSixtySecondLimit()
{
    EngineHarness h;
    h.engine.FirmwareSenden(muster(10), h.now);
    h.receive(NAK);
    h.receive(ACK);
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
    bus.engine.BustreiberSenden(muster(10), 0);
    bus.receive(NAK);
    bus.receive(ACK);
    bus.advance(1000);
    QCOMPARE(bus.captions.last(), "Klingport speichert Daten. Dauer ca. 50 Sekunden");
}

void tst_LinkEngine::quickFinalAckShowsNoStoreCaption()
{
    EngineHarness h;
    h.engine.FirmwareSenden(muster(10), h.now);
    h.receive(NAK);
    h.receive(ACK);
    h.advance(999);
    h.receive(ACK);
    QVERIFY(h.engine.idle());
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Erfolg);
    for (const QString& caption : h.captions)
        QVERIFY(!caption.startsWith("Klingport speichert"));
}

void tst_LinkEngine::readWholeImage_data()
{
    QTest::addColumn<bool>("byteweise");
    QTest::newRow("frames whole") << false;
    QTest::newRow("one byte per receive event") << true;
}

void tst_LinkEngine::readWholeImage()
{
    QFETCH(bool, byteweise);
    EngineHarness h;
    const QByteArray abbild = muster(Abbildgröße, 11);
    QCOMPARE(h.engine.KonfigurationLaden(h.now), Ergebnis::Erfolg);
    h.take();
    QCOMPARE(h.writes, QList<QByteArray>{"U\r"});
    QCOMPARE(h.progressMaximum, Abbildgröße);
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
    EngineHarness h;
    const QByteArray abbild = muster(Abbildgröße);
    h.engine.KonfigurationLaden(h.now);
    h.advance(1000);
    h.receive(rahmenVon(abbild, 1));
    QByteArray schlecht = rahmenVon(abbild, 2);
    schlecht[stelle] = char(schlecht[stelle] ^ maske);
    h.writes.clear();
    h.receive(schlecht);
    h.receive(schlecht);
    QCOMPARE(h.writes, (QList<QByteArray>{NAK, NAK}));
    h.receive(schlecht);
    QVERIFY(h.engine.idle());
    QCOMPARE(h.lastWrite(), CAN3);
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Transferfehler);
    QVERIFY(h.engine.antwort().daten.isEmpty());

    // A good frame between bad ones starts the count anew.
    EngineHarness erholt;
    erholt.engine.KonfigurationLaden(0);
    erholt.advance(1000);
    erholt.receive(rahmenVon(abbild, 1));
    erholt.receive(schlecht);
    erholt.receive(schlecht);
    erholt.receive(rahmenVon(abbild, 2));
    QByteArray schlecht3 = rahmenVon(abbild, 3);
    schlecht3[stelle] = char(schlecht3[stelle] ^ maske);
    erholt.receive(schlecht3);
    erholt.receive(schlecht3);
    QVERIFY(!erholt.engine.idle());
}

void tst_LinkEngine::shortFrameIsNakedByTheTimer()
{
    EngineHarness h;
    const QByteArray abbild = muster(Abbildgröße);
    h.engine.KonfigurationLaden(h.now);
    h.advance(1000);
    h.receive(rahmenVon(abbild, 1)); // ACK at 1000 restarts the count
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
    const QByteArray abbild = muster(Abbildgröße);
    h.engine.KonfigurationLaden(h.now);
    h.advance(1000);
    for (int block = 1; block <= AbbildBlöcke; ++block)
        h.receive(rahmenVon(abbild, block));
    const kommunikation::Millis letzterBlock = h.now;
    QCOMPARE(h.engine.kommunikationsModus(), 12);
    h.receive("junk"); // anything but EOT or CAN is ignored
    QVERIFY(h.runUntilIdle());
    QCOMPARE(h.now - letzterBlock, 8000);
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Timeout);
    QVERIFY(h.engine.antwort().daten.isEmpty());
}

void tst_LinkEngine::canEndsRead_data()
{
    QTest::addColumn<int>("blöcke"); // good blocks before the device's CAN
    QTest::newRow("instead of block 1") << 0;
    QTest::newRow("instead of block 5") << 4;
    QTest::newRow("instead of EOT") << 48;
}

void tst_LinkEngine::canEndsRead()
{
    QFETCH(int, blöcke);
    EngineHarness h;
    QByteArray abbild = muster(Abbildgröße);
    abbild[3 * Blockgröße + 7] = Zeichen::CAN; // a CAN inside a frame is data
    h.engine.KonfigurationLaden(h.now);
    h.advance(1000);
    for (int block = 1; block <= blöcke; ++block)
        h.receive(rahmenVon(abbild, block));
    const int geschrieben = int(h.writes.size());
    h.receive(CAN);
    QVERIFY(h.engine.idle());
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Transferfehler);
    QVERIFY(h.engine.antwort().daten.isEmpty());
    QCOMPARE(h.writes.size(), geschrieben);
    QVERIFY(!h.engine.nextDeadline());
}

void tst_LinkEngine::imageStartingWithFailureCodeIsStillData()
{
    for (char erstesByte : {char(1), char(2), char(3)}) {
        EngineHarness h;
        QByteArray abbild = muster(Abbildgröße);
        abbild[0] = erstesByte;
        h.engine.KonfigurationLaden(h.now);
        h.advance(1000);
        for (int block = 1; block <= AbbildBlöcke; ++block)
            h.receive(rahmenVon(abbild, block));
        h.receive(EOT);
        const Antwort antwort = h.engine.antwort();
        QVERIFY(antwort.erfolgreich());
        QCOMPARE(antwort.daten, abbild);
    }
}

void tst_LinkEngine::drainDiscardsRestOfChunk()
{
    EngineHarness h;
    const QByteArray abbild = muster(Abbildgröße);
    h.engine.KonfigurationLaden(h.now);
    h.advance(1000);
    // What arrives behind a complete frame was waiting in the buffer the ACK empties.
    h.receive(rahmenVon(abbild, 1) + rahmenVon(abbild, 2));
    h.receive(rahmenVon(abbild, 2));
    QCOMPARE(h.countWrites(ACK), 2);
    QCOMPARE(h.countWrites(NAK), 1);
}

void tst_LinkEngine::queries_data()
{
    QTest::addColumn<bool>("ruftaste");
    QTest::addColumn<QByteArray>("antwort");
    QTest::addColumn<kommunikation::Millis>("dauer");
    QTest::addColumn<int>("ergebnis");
    QTest::addColumn<QByteArray>("daten");
    const QByteArray version = "Klingport V2.10 PIC\r\n";
    QTest::newRow("version") << false << version << kommunikation::Millis(0) << 0 << version;
    QTest::newRow("version without CR LF")
        << false << QByteArray("Klingport V2") << kommunikation::Millis(2000) << 1 << QByteArray();
    QTest::newRow("Koppler without CR LF") << false << QByteArray("KOPPLER 1.0")
                                           << kommunikation::Millis(2000) << 0 << QByteArray("KOPPLER 1.0");
    QTest::newRow("version silent") << false << QByteArray() << kommunikation::Millis(2000) << 1
                                    << QByteArray();
    QTest::newRow("call button") << true << QByteArray("12 34 56 78 9A \r\n") << kommunikation::Millis(0) << 0
                                 << QByteArray("12 34 56 78 9A \r\n");
    QTest::newRow("call button silent")
        << true << QByteArray() << kommunikation::Millis(3000) << 1 << QByteArray();
    QTest::newRow("call button, Koppler does not count")
        << true << QByteArray("Koppler") << kommunikation::Millis(3000) << 1 << QByteArray();
}

void tst_LinkEngine::queries()
{
    QFETCH(bool, ruftaste);
    QFETCH(QByteArray, antwort);
    QFETCH(kommunikation::Millis, dauer);
    QFETCH(int, ergebnis);
    QFETCH(QByteArray, daten);
    for (bool byteweise : {false, true}) {
        EngineHarness h;
        ruftaste ? h.engine.RufInformationAbholen(3, 1, h.now) : h.engine.FirmwareAuslesen(h.now);
        h.take();
        byteweise ? h.receiveEachByte(antwort) : h.receive(antwort);
        QVERIFY(h.runUntilIdle());
        QCOMPARE(h.now, dauer);
        QCOMPARE(h.engine.antwort().code(), ergebnis);
        QCOMPARE(h.engine.antwort().daten, daten);
        QCOMPARE(h.writes.size(), 1); // the request only: queries never send CAN
        QCOMPARE(h.shown, 0);
    }
}

void tst_LinkEngine::callButtonRequestBytes()
{
    EngineHarness h;
    h.engine.RufInformationAbholen(5, 12, h.now);
    h.take();
    QCOMPARE(h.writes, QList<QByteArray>{"z1205\r"});
    QCOMPARE(h.captions, QStringList{"RuftastenInformationAbholen Initialisierung"});
}

void tst_LinkEngine::portFailureEndsOperation()
{
    EngineHarness h;
    h.engine.KonfigurationLaden(h.now);
    h.advance(1000);
    h.receive(rahmenVon(muster(Abbildgröße), 1));
    h.engine.portFailed();
    h.take();
    QVERIFY(h.engine.idle());
    QCOMPARE(h.engine.antwort().ergebnis, Ergebnis::Transferfehler);
    QVERIFY(h.engine.antwort().daten.isEmpty());
    QVERIFY(!h.engine.nextDeadline());
    QCOMPARE(h.hidden, 1);

    EngineHarness logging;
    logging.engine.LoggenEin();
    logging.engine.portFailed();
    QVERIFY(logging.engine.idle());
}

void tst_LinkEngine::progressWindowOnlyForBlockOperations()
{
    EngineHarness h;
    h.engine.FirmwareAuslesen(h.now);
    h.runUntilIdle();
    h.engine.RufInformationAbholen(1, 1, h.now);
    h.runUntilIdle();
    h.engine.LoggenEin();
    h.engine.LoggenAus();
    h.take();
    QCOMPARE(h.shown, 0);
    QCOMPARE(h.hidden, 0);
    for (Upload art : {Upload::Firmware, Upload::Bustreiber, Upload::Abbild}) {
        starten(h, art, "abc");
        h.runUntilIdle();
    }
    h.engine.KonfigurationLaden(h.now);
    h.runUntilIdle();
    QCOMPARE(h.shown, 4);
    QCOMPARE(h.hidden, 4);
}

QTEST_APPLESS_MAIN(tst_LinkEngine)
#include "tst_link_engine.moc"
