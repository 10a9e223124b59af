// The simulator without its process: the device core where the link engine never takes it (malformed
// requests, the PC's aborts, pauses inside frames and command lines, the bootloader, the bus reports), the
// line's pacing, the report script reader and the command line.

#include "CommandLine.h"
#include "LinePacer.h"
#include "OutputSchedule.h"
#include "ReportScript.h"
#include "Xmodem.h"

#include <QRegularExpression>
#include <QtTest>

using namespace device;
using sim::LinePacer;
using sim::OutputSchedule;
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
    void builtInReportsFollowFixedPositions();
    void reportsCycleAtTheIntervalUntilLoggingOff();
    void pacerKeepsBytesApartByTheirLineTime();
    void scheduleHandsOutBytesWhenTheyAreDue();
    void reportScript_data();
    void reportScript();
    void commandLine();
    void badCommandLine_data();
    void badCommandLine();
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
    // "r" inside a line is no restart; the bootloader takes up nothing but "s" and "i".
    const QList<Step> refused{{"p\r", ""}, {"D\r", ""}, {"U\r", ""}, {"t\r", ""}, {"z103\r", ""}, {NAK, ""}};
    row("restart leaves only the bootloader",
        QList<Step>{{"xr\r", ""}, version, {"r", ""}, bootloaderVersion} + refused);

    // Kept: the partial frame and the resent one make a 132-byte mix that fails its check; the rest of
    // this frame holds no byte the device would act on.
    const QByteArray f1 = xmodem::frame(1, xmodem::pattern(128, 6));
    row("partial frame kept over 1000 ms", {{"s\r", NAK}, {f1.left(50), ""}, {f1, NAK, 1000}});
    row("partial frame discarded after 1001 ms", {{"s\r", NAK}, {f1.left(50), ""}, {f1, ACK, 1001}});
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
    for (qsizetype i = 0; i < steps.size(); ++i) {
        now += steps[i].pause;
        device.receive(steps[i].send, now);
        const QByteArray got = device.takeOutput();
        QVERIFY2(got == steps[i].expect,
                 qPrintable(QStringLiteral("step %1: got %2, expected %3")
                                .arg(i)
                                .arg(QString::fromLatin1(got.left(8).toHex(' ')),
                                     QString::fromLatin1(steps[i].expect.left(8).toHex(' ')))));
    }
}

void tst_SimParts::builtInReportsFollowFixedPositions()
{
    // The layouts by kind and code, each position where the monitor reads it.
    const QRegularExpression layout(
        "^(S: (12|21|22|20|31) [0-9A-F]{8}|S: 42 [0-9A-F]{8} (FF|00)|S: A[01] (FF|00)|"
        "S: (81|82|A2|A3)|E: (20|11|12) [0-9A-F]{8} [0-9A-F]{2}|"
        "E: (21|22|01|00|03|02) [0-9A-F]{8}|T: LOCAL [0-9A-F]{2} 0[01] 0[01]|"
        "T: DIAL  [0-9A-F]{2} 0[01] 0[01] - [0-9]+)\r\n$");
    for (const QByteArray& r : Klingport::builtInReports())
        QVERIFY2(layout.match(QString::fromLatin1(r)).hasMatch(), r.constData());
}

void tst_SimParts::reportsCycleAtTheIntervalUntilLoggingOff()
{
    const QList<QByteArray> reports = {"S: A2\r\n", "S: 81\r\n", "S: 82\r\n"};
    Options options;
    options.reports = reports;
    options.reportInterval = 400;
    options.reportPauses = {{1, 100}, {3, 1000}};
    Klingport device(options);
    Millis now = 0;
    const auto wait = [&](Millis ms) {
        device.advanceTo(now += ms);
        return device.takeOutput();
    };
    device.receive("t\r", now);
    QVERIFY(device.logging());
    QCOMPARE(wait(399), QByteArray());
    QCOMPARE(wait(1), reports[0]);
    QCOMPARE(wait(499), QByteArray());
    QCOMPARE(wait(1), reports[1]);
    QCOMPARE(wait(400), reports[2]);
    QCOMPARE(wait(1399), QByteArray()); // a round's end pause, then the interval
    QCOMPARE(wait(1), reports[0]);
    QCOMPARE(wait(10 * 2300), (reports[1] + reports[2] + reports[0]).repeated(10));

    device.receive("n\r", now);
    QVERIFY(!device.logging());
    QVERIFY(!device.nextDeadline());
    QCOMPARE(wait(10000), QByteArray());
}

void tst_SimParts::pacerKeepsBytesApartByTheirLineTime()
{
    LinePacer pacer(19200);
    const qint64 byte = pacer.byteTime();
    const auto bytes = [](qint64 n) { return n * 10'000'000'000 / 19200; }; // 10 bits each, in ns
    QCOMPARE(byte, bytes(1));
    // A burst handed over at once leaves one byte time apart; a byte handed over while the line is busy
    // waits for it; a byte after a gap starts at once.
    QCOMPARE(pacer.pass(1'000'000), 1'000'000 + bytes(1));
    QCOMPARE(pacer.pass(1'000'000), 1'000'000 + bytes(2));
    QCOMPARE(pacer.pass(1'000'000 + byte), 1'000'000 + bytes(3));
    QCOMPARE(pacer.pass(50'000'000), 50'000'000 + byte);

    // A long burst keeps the exact rate, to the ns.
    LinePacer burst(19200);
    qint64 last = 0;
    for (int i = 0; i < 6336; ++i)
        last = burst.pass(0);
    QCOMPARE(last, bytes(6336));

    LinePacer unpaced(0);
    QCOMPARE(unpaced.pass(7), 7);
    QCOMPARE(unpaced.pass(7), 7);
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

    OutputSchedule unpaced(0, 500'000);
    unpaced.add("abc", 42);
    QCOMPARE(unpaced.nextWrite(), Due(42));
    QCOMPARE(unpaced.takeDue(42), QByteArray("abc"));
}

void tst_SimParts::reportScript_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("script"); // the reports, then " +i:pause" each; or "error" and what it names
    QTest::newRow("plain lines") << QByteArray("S: A2\nS: 81\n") << "S: A2\r\nS: 81\r\n";
    QTest::newRow("CR LF lines, inner blanks kept")
        << QByteArray("T: DIAL  03 01 01 - 0301234567\r\nS: A2\r\n")
        << "T: DIAL  03 01 01 - 0301234567\r\nS: A2\r\n";
    QTest::newRow("comments and blank lines skipped")
        << QByteArray("# a door call\n\n   \nE: 11 1A2B3C4D 01\n#S: 31\n") << "E: 11 1A2B3C4D 01\r\n";
    QTest::newRow("waits before, between, summed and at the end")
        << QByteArray("wait 100\nS: A2\nwait 250\nwait 50\nS: 81\nwait 3000")
        << "S: A2\r\nS: 81\r\n +0:100 +1:300 +2:3000";
    QTest::newRow("wait without a number") << QByteArray("S: A2\n\nwait soon\n") << "error line 3";
    QTest::newRow("negative wait") << QByteArray("wait -5\nS: A2\n") << "error line 1";
    QTest::newRow("only comments") << QByteArray("# nothing\n\n") << "error no report";
}

void tst_SimParts::reportScript()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, script);
    const auto parsed = sim::parseReportScript(text);
    if (const QString* fehler = std::get_if<QString>(&parsed)) {
        QVERIFY2(script.startsWith("error ") && fehler->contains(script.mid(6)), qPrintable(*fehler));
        return;
    }
    const auto& gelesen = std::get<sim::ReportScript>(parsed);
    QString got = QString::fromLatin1(gelesen.reports.join());
    for (const auto& [vor, pause] : gelesen.pauses)
        got += QStringLiteral(" +%1:%2").arg(vor).arg(pause);
    QCOMPARE(got, script);
}

void tst_SimParts::commandLine()
{
    const auto parsed = sim::parseCommandLine(
        QString(
            "klingport-sim --baud 0 --version koppler --nak-block 3:2 --nak-block 5:1 --can block:4 "
            "--corrupt-block 2:1 --truncate-block 7:3 --garbage ff00A5 --store-delay 1.5 --drop-at-block 9 "
            "--report-interval 250 --silent")
            .split(' '));
    QVERIFY(std::holds_alternative<sim::Settings>(parsed));
    const auto& s = std::get<sim::Settings>(parsed);
    const device::Faults& f = s.device.faults;
    QVERIFY((std::tuple(s.baud, s.device.version, s.device.reportInterval, f.nakBlock, f.corruptBlock,
                        f.truncateBlock, f.can.phase, f.can.block, f.garbage, f.storeDelay, f.dropAtBlock,
                        f.silent) ==
             std::tuple(0, device::VersionMode::Koppler, 250, std::map<int, int>{{3, 2}, {5, 1}},
                        std::map<int, int>{{2, 1}}, std::map<int, int>{{7, 3}},
                        device::CanFault::Phase::Block, 4, QByteArray("\xFF\x00\xA5", 3), 1500, 9, true)));
}

void tst_SimParts::badCommandLine_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::newRow("CAN at no phase") << "--can middle";
    QTest::newRow("CAN at block 0") << "--can block:0";
    QTest::newRow("NAK count missing") << "--nak-block 3";
    QTest::newRow("odd garbage") << "--garbage F";
    QTest::newRow("unknown version") << "--version full";
    QTest::newRow("link with a port") << "--port /dev/ttyS0 --link /tmp/x";
    QTest::newRow("unpaced real port") << "--port /dev/ttyS0 --baud 0";
    QTest::newRow("report interval 0") << "--report-interval 0";
    QTest::newRow("stray argument") << "now";
}

void tst_SimParts::badCommandLine()
{
    QFETCH(QString, arguments);
    const auto parsed = sim::parseCommandLine(("klingport-sim " + arguments).split(' '));
    QVERIFY(std::holds_alternative<sim::CommandLineError>(parsed));
}

QTEST_APPLESS_MAIN(tst_SimParts)
#include "tst_sim_parts.moc"
