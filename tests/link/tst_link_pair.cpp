// The link engine against the simulated Klingport, in process on one virtual clock that jumps from
// deadline to deadline: every operation end to end, and each device fault with each operation it applies to.

#include "EngineHarness.h"
#include "Klingport.h"
#include "Rahmen.h"

#include <QTest>
#include <functional>

using namespace kommunikation;

namespace {

enum Operation { Firmware, Bustreiber, AbbildSenden, AbbildLesen, Version, Ruftaste };

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
    bool ausführen(Operation op, const QByteArray& daten = {})
    {
        LinkEngine& e = pc.engine;
        const Millis t = pc.now;
        const Ergebnis angenommen = op == Firmware       ? e.FirmwareSenden(daten, t)
                                    : op == Bustreiber   ? e.BustreiberSenden(daten, t)
                                    : op == AbbildSenden ? e.KonfigurationSenden(daten, t)
                                    : op == AbbildLesen  ? e.KonfigurationLaden(t)
                                    : op == Version      ? e.FirmwareAuslesen(t)
                                                         : e.RufInformationAbholen(7, 2, t);
        pc.take();
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

QByteArray nutzdaten(Operation op)
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

void fehlerEinstellen(device::Faults& f, const QString& art, int n, int k)
{
    using Phase = device::CanFault::Phase;
    if (art == "nak")
        f.nakBlock[n] = k;
    else if (art == "corrupt")
        f.corruptBlock[n] = k;
    else if (art == "truncate")
        f.truncateBlock[n] = k;
    else if (art.startsWith("can-"))
        f.can = {art == "can-request" ? Phase::Request : art == "can-block" ? Phase::Block : Phase::Eot, n};
    else if (art == "silent")
        f.silent = true;
    else if (art == "garbage")
        f.garbage = QByteArray("\xFF\x00zq", 4);
    else if (art == "store")
        f.storeDelay = n;
    else if (art == "drop")
        f.dropAtBlock = n;
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
    QTest::addColumn<QString>("fehler");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("ergebnis");
    QTest::addColumn<bool>("abbruchGesendet"); // the PC told the device with CAN three times
    const auto zeile = [](const QString& name, Operation op, const char* fehler, int n, int k, int ergebnis,
                          bool abbruch = false) {
        QTest::newRow(qPrintable(name)) << int(op) << QString(fehler) << n << k << ergebnis << abbruch;
    };
    for (const auto& [name, op] :
         {std::pair("firmware", Firmware), {"bus driver", Bustreiber}, {"image store", AbbildSenden}}) {
        const QString u = QString(name) + ": ";
        zeile(u + "no fault", op, "none", 0, 0, 0);
        zeile(u + "NAK block 2 twice", op, "nak", 2, 2, 0);
        zeile(u + "NAK block 2 three times", op, "nak", 2, 3, 2, true);
        zeile(u + "CAN for the request", op, "can-request", 0, 0, 2);
        zeile(u + "CAN for block 3", op, "can-block", 3, 0, 2);
        zeile(u + "CAN for EOT", op, "can-eot", 0, 0, 2);
        zeile(u + "silent", op, "silent", 0, 0, 1);
        zeile(u + "garbage before the answer", op, "garbage", 0, 0, 0);
        zeile(u + "store takes 3 s", op, "store", 3000, 0, 0);
        zeile(u + "store takes 61 s", op, "store", 61000, 0, 1);
        zeile(u + "line drops at block 3", op, "drop", 3, 0, 1, true);
    }
    const QString r = "image read: ";
    zeile(r + "no fault", AbbildLesen, "none", 0, 0, 0);
    zeile(r + "block 5 corrupt twice", AbbildLesen, "corrupt", 5, 2, 0);
    zeile(r + "block 5 corrupt three times", AbbildLesen, "corrupt", 5, 3, 2, true);
    zeile(r + "block 5 cut short once", AbbildLesen, "truncate", 5, 1, 0);
    zeile(r + "block 48 cut short three times", AbbildLesen, "truncate", 48, 3, 0);
    zeile(r + "block 5 cut short four times", AbbildLesen, "truncate", 5, 4, 1, true);
    zeile(r + "CAN instead of block 1", AbbildLesen, "can-request", 0, 0, 2);
    zeile(r + "CAN instead of block 5", AbbildLesen, "can-block", 5, 0, 2);
    zeile(r + "CAN instead of EOT", AbbildLesen, "can-eot", 0, 0, 2);
    zeile(r + "silent", AbbildLesen, "silent", 0, 0, 1, true);
    zeile(r + "garbage before block 1", AbbildLesen, "garbage", 0, 0, 0);
    zeile(r + "line drops at block 5", AbbildLesen, "drop", 5, 0, 1, true);
    zeile("version: no fault", Version, "none", 0, 0, 0);
    zeile("version: silent", Version, "silent", 0, 0, 1);
    zeile("version: garbage", Version, "garbage", 0, 0, 0);
    zeile("call button: no fault", Ruftaste, "none", 0, 0, 0);
    zeile("call button: silent", Ruftaste, "silent", 0, 0, 1);
}

void tst_LinkPair::faultMatrix()
{
    QFETCH(int, op);
    QFETCH(QString, fehler);
    QFETCH(int, n);
    QFETCH(int, k);
    QFETCH(int, ergebnis);
    QFETCH(bool, abbruchGesendet);
    device::Options optionen;
    fehlerEinstellen(optionen.faults, fehler, n, k);
    LinkPair pair(optionen);
    const QByteArray abbildVorher = pair.gerät.image();
    QVERIFY(pair.ausführen(Operation(op), nutzdaten(Operation(op))));

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
    const QByteArray daten = nutzdaten(Operation(op));
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
    pair.pc.engine.setNurBootlader(true);
    QVERIFY(pair.ausführen(Firmware, "fw"));
    QCOMPARE(pair.pc.engine.antwort().ergebnis, Ergebnis::Timeout);

    pair.pc.engine.BootladerResettenSenden();
    pair.pc.take();
    pair.übertragen();
    QVERIFY(pair.gerät.bootloaderOnly());
    QVERIFY(pair.ausführen(Version));
    QVERIFY(pair.pc.engine.antwort().daten.contains("Bootlader"));

    const qsizetype vorher = pair.gesendet.size();
    QVERIFY(pair.ausführen(Firmware, "fw"));
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
