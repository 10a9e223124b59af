// The link engine against the simulated Klingport, in process on one virtual clock that jumps from
// deadline to deadline: every operation end to end, and each device fault with each operation it applies to.

#include "EngineHarness.h"
#include "Klingport.h"
#include "Rahmen.h"

#include <QTest>
#include <functional>

using Fehler = std::function<void(device::Faults&)>;
Q_DECLARE_METATYPE(Fehler)

using namespace kommunikation;

namespace {

const QByteArray CAN3(3, Zeichen::CAN);

struct LinkPair {
    EngineHarness pc;
    device::Klingport gerät;
    // Applied to each chunk on its way to the PC.
    std::function<QByteArray(const QByteArray&)> zumPc = [](const QByteArray& b) { return b; };
    QByteArray gesendet; // everything the PC wrote, in order
    size_t weitergegeben = 0;

    explicit LinkPair(device::Options optionen = {}) : gerät(std::move(optionen)) {}

    // Carries everything both sides have written until neither has more to say right now.
    void übertragen()
    {
        for (int runde = 0; runde < 100000; ++runde) {
            const QByteArray ausPc = pc.writes(weitergegeben).join();
            weitergegeben = pc.effekte.size();
            const QByteArray ausGerät = gerät.takeOutput();
            if (ausPc.isEmpty() && ausGerät.isEmpty())
                return;
            gesendet += ausPc;
            gerät.receive(ausPc, pc.now);
            pc.receive(zumPc(ausGerät));
        }
    }

    // Starts an operation and runs it to its end; false if the engine never comes back to idle.
    bool ausführen(Op op, const QByteArray& daten = {})
    {
        const Ergebnis angenommen = starten(pc, op, daten, 7, 2);
        übertragen();
        while (angenommen == Ergebnis::Erfolg && !pc.engine.idle()) {
            std::optional<Millis> nächste = pc.engine.nextDeadline();
            const std::optional<Millis> gerätFrist = gerät.nextDeadline();
            if (gerätFrist && (!nächste || *gerätFrist < *nächste))
                nächste = gerätFrist;
            if (!nächste || *nächste > 600000)
                return false;
            pc.now = std::max(pc.now, *nächste);
            gerät.advanceTo(pc.now);
            übertragen();
            pc.advanceTo(pc.now);
            übertragen();
        }
        return angenommen == Ergebnis::Erfolg;
    }
};

QByteArray nutzdaten(Op op)
{
    return op == Firmware       ? xmodem::pattern(40000, 1) // more than 255 blocks: the block number wraps
           : op == Bustreiber   ? xmodem::pattern(3000, 2)
           : op == AbbildSenden ? xmodem::pattern(Abbildgröße, 3)
                                : QByteArray();
}

QByteArray gepolstert(const QByteArray& daten)
{
    return daten.leftJustified((daten.size() + Blockgröße - 1) / Blockgröße * Blockgröße, Zeichen::SUB);
}

} // namespace

class tst_LinkPair : public QObject {
    Q_OBJECT
private slots:
    void faultMatrix_data();
    void faultMatrix();
    void bootloaderAfterReset();
    void lostAckIsRecovered();
};

void tst_LinkPair::faultMatrix_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<Fehler>("fehler");
    QTest::addColumn<int>("ergebnis");
    QTest::addColumn<bool>("abbruchGesendet"); // the PC told the device with CAN three times
    const auto zeile = [](const QString& name, Op op, const Fehler& fehler, int ergebnis,
                          bool abbruch = false) {
        QTest::newRow(qPrintable(name)) << int(op) << fehler << ergebnis << abbruch;
    };
    using F = device::Faults;
    using Phase = device::CanFault::Phase;
    const Fehler keiner = [](F&) {}, stumm = [](F&f) { f.silent = true; };
    const Fehler müll = [](F& f) { f.garbage = QByteArray("\xFF\x00zq", 4); };
    const auto can = [](Phase phase, int block = 0) { return [=](F& f) { f.can = {phase, block}; }; };
    const auto abbrechen = [](int block) { return [=](F& f) { f.dropAtBlock = block; }; };
    for (const auto& [name, op] :
         {std::pair("firmware", Firmware), {"bus driver", Bustreiber}, {"image store", AbbildSenden}}) {
        const QString u = QString(name) + ": ";
        zeile(u + "no fault", op, keiner, 0);
        zeile(
            u + "NAK block 2 twice", op, [](F& f) { f.nakBlock[2] = 2; }, 0);
        zeile(
            u + "NAK block 2 three times", op, [](F& f) { f.nakBlock[2] = 3; }, 2, true);
        zeile(u + "CAN for the request", op, can(Phase::Request), 2);
        zeile(u + "CAN for block 3", op, can(Phase::Block, 3), 2);
        zeile(u + "CAN for EOT", op, can(Phase::Eot), 2);
        zeile(u + "silent", op, stumm, 1);
        zeile(u + "garbage before the answer", op, müll, 0);
        zeile(
            u + "store takes 3 s", op, [](F& f) { f.storeDelay = 3000; }, 0);
        zeile(
            u + "store takes 61 s", op, [](F& f) { f.storeDelay = 61000; }, 1);
        zeile(u + "line drops at block 3", op, abbrechen(3), 1, true);
    }
    const QString r = "image read: ";
    zeile(r + "no fault", AbbildLesen, keiner, 0);
    zeile(
        r + "block 5 corrupt twice", AbbildLesen, [](F& f) { f.corruptBlock[5] = 2; }, 0);
    zeile(
        r + "block 5 corrupt three times", AbbildLesen, [](F& f) { f.corruptBlock[5] = 3; }, 2, true);
    zeile(
        r + "block 5 cut short once", AbbildLesen, [](F& f) { f.truncateBlock[5] = 1; }, 0);
    zeile(
        r + "block 48 cut short three times", AbbildLesen, [](F& f) { f.truncateBlock[48] = 3; }, 0);
    zeile(
        r + "block 5 cut short four times", AbbildLesen, [](F& f) { f.truncateBlock[5] = 4; }, 1, true);
    zeile(r + "CAN instead of block 1", AbbildLesen, can(Phase::Request), 2);
    zeile(r + "CAN instead of block 5", AbbildLesen, can(Phase::Block, 5), 2);
    zeile(r + "CAN instead of EOT", AbbildLesen, can(Phase::Eot), 2);
    zeile(r + "silent", AbbildLesen, stumm, 1, true);
    zeile(r + "garbage before block 1", AbbildLesen, müll, 0);
    zeile(r + "line drops at block 5", AbbildLesen, abbrechen(5), 1, true);
    zeile("version: no fault", Version, keiner, 0);
    zeile("version: silent", Version, stumm, 1);
    zeile("version: garbage", Version, müll, 0);
    zeile("call button: no fault", Ruftaste, keiner, 0);
    zeile("call button: silent", Ruftaste, stumm, 1);
}

void tst_LinkPair::faultMatrix()
{
    QFETCH(int, op);
    QFETCH(Fehler, fehler);
    QFETCH(int, ergebnis);
    QFETCH(bool, abbruchGesendet);
    device::Options optionen;
    fehler(optionen.faults);
    LinkPair pair(optionen);
    const QByteArray abbildVorher = pair.gerät.image();
    QVERIFY(pair.ausführen(Op(op), nutzdaten(Op(op))));

    const Antwort antwort = pair.pc.engine.antwort();
    QCOMPARE(antwort.code(), ergebnis);
    QVERIFY(!pair.pc.engine.nextDeadline()); // no timer left to disturb the next operation
    QCOMPARE(pair.gesendet.endsWith(CAN3), abbruchGesendet);
    QCOMPARE(pair.gesendet.contains(CAN3), abbruchGesendet);
    if (ergebnis != 0) {
        QVERIFY(antwort.daten.isEmpty()); // a failed read hands nothing on
        return;
    }
    // What arrived at the other end.
    const QByteArray daten = nutzdaten(Op(op));
    if (op == Firmware)
        QCOMPARE(pair.gerät.firmware(), gepolstert(daten));
    else if (op == Bustreiber)
        QCOMPARE(pair.gerät.busDriver(), gepolstert(daten));
    else if (op == AbbildSenden)
        QCOMPARE(pair.gerät.image(), daten);
    else if (op == AbbildLesen)
        QCOMPARE(antwort.daten, abbildVorher);
    else if (op == Version)
        QVERIFY(antwort.daten.endsWith(device::Klingport::versionAnswer(device::VersionMode::Complete)));
    else
        QVERIFY(antwort.daten.endsWith(device::Klingport::callButtonAnswer(2, 7)));
}

void tst_LinkPair::bootloaderAfterReset()
{
    LinkPair pair;
    // Running firmware waits for the CR: a bare "s" starts nothing.
    QVERIFY(pair.ausführen(Bootlader, "fw"));
    QCOMPARE(pair.pc.engine.antwort().ergebnis, Ergebnis::Timeout);

    pair.pc.engine.BootladerResettenSenden();
    pair.pc.take();
    pair.übertragen();
    QVERIFY(pair.gerät.bootloaderOnly());
    QVERIFY(pair.ausführen(Version));
    QVERIFY(pair.pc.engine.antwort().daten.contains("Bootlader"));

    const qsizetype vorher = pair.gesendet.size();
    QVERIFY(pair.ausführen(Bootlader, "fw"));
    QCOMPARE(pair.pc.engine.antwort().ergebnis, Ergebnis::Erfolg);
    QCOMPARE(pair.gesendet.mid(vorher, 2), QByteArray("s\x01")); // the bare request, then block 1
    QVERIFY(!pair.gerät.bootloaderOnly());
}

void tst_LinkPair::lostAckIsRecovered()
{
    // The line swallows the device's ACK for block 2: the PC repeats the block after 2 s, and the
    // device acknowledges the repeat without taking it twice.
    LinkPair pair;
    int acks = 0;
    pair.zumPc = [&](const QByteArray& b) { return b == "\x06" && ++acks == 2 ? QByteArray() : b; };
    const QByteArray daten = xmodem::pattern(1000, 5);
    QVERIFY(pair.ausführen(Bustreiber, daten));
    QVERIFY(pair.pc.engine.antwort().erfolgreich());
    QCOMPARE(pair.gerät.busDriver(), gepolstert(daten));
}

QTEST_APPLESS_MAIN(tst_LinkPair)
#include "tst_link_pair.moc"
