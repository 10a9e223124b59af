// The simulator without its process: the device core where the link engine never takes it (malformed
// requests, the PC's aborts, pauses inside frames and command lines, the bootloader), and the line's pacing.

#include "Klingport.h"
#include "LinePacer.h"
#include "OutputSchedule.h"
#include "Xmodem.h"

#include <QtTest>

using namespace device;
using namespace sim;
using Due = std::optional<qint64>;

namespace {

const QByteArray NAK("\x15"), ACK("\x06"), CAN3("\x18\x18\x18");
const QByteArray VersionLine = Klingport::versionAnswer(VersionMode::Complete);

// Bytes sent `pause` ms after the last ones, and the device's answer.
struct Step {
    QByteArray send;
    QByteArray expect;
    Millis pause = 20;
};

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class tst_SimParts : public QObject {
    Q_OBJECT

private slots:
    void exchanges_data();
    void exchanges();
    void pacerKeepsBytesApartByTheirLineTime();
    void scheduleHandsOutBytesWhenTheyAreDue();
};

void tst_SimParts::exchanges_data()
{
    QTest::addColumn<QList<Step>>("steps");
    const auto row = [](const char* name, const QList<Step>& steps) { QTest::newRow(name) << steps; };
    const QByteArray data = xmodem::pattern(3 * 128, 11);
    const auto f = [&](int n) { return xmodem::block(data, n); };
    const Step version{"i\r", VersionLine};
    const Step bootloaderVersion{"i\r", Klingport::versionAnswer(VersionMode::BootloaderOnly)};

    row("malformed and unknown commands are ignored",
        {{"z\r", ""}, {"z1\r", ""}, {"z12\r", ""}, {"z1x3\r", ""}, {"z-103\r", ""}, {"x\r", ""}, version});
    row("control characters belong to no command", {{CAN3 + "i\r", VersionLine}});
    row("1000 ms: \"sr\" is one line", {{"s", ""}, {"r", "", 1000}, {"\r", ""}, version});
    row("1001 ms: \"r\" starts a new one and restarts", {{"s", ""}, {"r", "", 1001}, bootloaderVersion});
    // "r" inside a line is no restart; the bootloader takes up nothing but "s" and "i", "s" without a CR.
    const QList<Step> refused{{"p\r", ""}, {"D\r", ""}, {"U\r", ""}, {"t\r", ""}, {"z103\r", ""}, {NAK, ""}};
    row("restart leaves only the bootloader",
        QList<Step>{{"xr\r", ""}, version, {"r", ""}, bootloaderVersion} + refused + QList<Step>{{"s", NAK}});

    // Kept: the partial frame and the resent one make a 132-byte mix that fails its check; the rest of
    // this frame holds no byte the device would act on.
    const QByteArray f1 = xmodem::frame(1, xmodem::pattern(128, 6));
    row("partial frame kept over 1000 ms", {{"s\r", NAK}, {f1.left(50), ""}, {f1, NAK, 1000}});
    row("partial frame discarded after 1001 ms", {{"s\r", NAK}, {f1.left(50), ""}, {f1, ACK, 1001}});
    row("a repeated block is acknowledged, not taken twice",
        {{"s\r", NAK}, {f(1), ACK}, {f(1), ACK}, {f(2), ACK}});
    row("block out of sequence ends with CAN", {{"s\r", NAK}, {f(1), ACK}, {f(3), "\x18"}, version});
    row("CAN from the PC ends an upload", {{"s\r", NAK}, {f(1), ACK}, {CAN3, ""}, version});
    row("CAN from the PC ends a download",
        {{"U\r", ""}, {NAK, xmodem::block(Klingport::factoryImage(), 1)}, {CAN3, ""}, version});
}

void tst_SimParts::exchanges()
{
    QFETCH(QList<Step>, steps);
    Klingport device;
    Millis now = 0;
    for (const Step& step : steps) {
        device.receive(step.send, now += step.pause);
        QCOMPARE(device.takeOutput(), step.expect);
    }
}

void tst_SimParts::pacerKeepsBytesApartByTheirLineTime()
{
    LinePacer pacer(19200);
    const qint64 byte = pacer.byteTime();
    const auto bytes = [](qint64 n) { return n * 10'000'000'000 / 19200; }; // 10 bits each, in ns
    QCOMPARE(byte, bytes(1));
    // A burst handed over at once leaves one byte time apart, to the ns with no rounding drift; a byte handed
    // over while the line is busy waits for it; a byte after a gap starts at once.
    QCOMPARE(pacer.pass(1'000'000), 1'000'000 + bytes(1));
    QCOMPARE(pacer.pass(1'000'000), 1'000'000 + bytes(2));
    QCOMPARE(pacer.pass(1'000'000 + byte), 1'000'000 + bytes(3));
    QCOMPARE(pacer.pass(50'000'000), 50'000'000 + byte);
}

void tst_SimParts::scheduleHandsOutBytesWhenTheyAreDue()
{
    const qint64 ms = 1'000'000;
    OutputSchedule schedule(10000, ms / 4); // 1 ms a byte, a quarter ms lead
    schedule.add("ab", 0);
    schedule.add("c", ms / 2); // queued behind the others, not at its own time
    QCOMPARE(schedule.nextWrite(), Due(ms - ms / 4));
    QCOMPARE(schedule.takeDue(ms - ms / 4 - 1), QByteArray());
    QCOMPARE(schedule.takeDue(ms - ms / 4), QByteArray("a"));
    QCOMPARE(schedule.takeDue(3 * ms - 1), QByteArray("b")); // "c" is the last: never early
    QCOMPARE(schedule.nextWrite(), Due(3 * ms));
    QCOMPARE(schedule.takeDue(3 * ms), QByteArray("c"));
    QVERIFY(schedule.isEmpty());

    // An idle line starts the next byte from when it is added.
    schedule.add("d", 10 * ms);
    QCOMPARE(schedule.nextWrite(), Due(11 * ms));
    schedule.add("ef", 10 * ms);
    QCOMPARE(schedule.nextWrite(), Due(11 * ms - ms / 4));
    QCOMPARE(schedule.takeAll(), QByteArray("def"));
    QVERIFY(!schedule.nextWrite());

    // The lead never exceeds a byte.
    const qint64 byte = 10'000'000'000 / 115200;
    OutputSchedule fast(115200, ms);
    fast.add("ab", 0);
    QCOMPARE(fast.nextWrite(), Due(0)); // the first byte's first bit leaves at 0
    QCOMPARE(fast.takeDue(0), QByteArray("a"));
    QCOMPARE(fast.takeDue(2 * byte - 1), QByteArray());
}

QTEST_APPLESS_MAIN(tst_SimParts)
#include "tst_sim_parts.moc"
