// The simulated device's core where the link engine never takes it: malformed and refused requests, the
// PC's aborts, pauses inside frames and command lines, refused uploads, and its bus reports.

#include "Klingport.h"
#include "Xmodem.h"

#include <QRegularExpression>
#include <QtTest>

using namespace device;

namespace {

const QByteArray NAK("\x15"), ACK("\x06"), CAN("\x18"), EOT("\x04"), CAN3 = CAN.repeated(3);
const QByteArray VersionLine = Klingport::versionAnswer(VersionMode::Complete);

// Bytes sent `pause` ms after the last ones (none: only time passes), and the device's answer.
struct Step {
    QByteArray send;
    QByteArray expect;
    Millis pause = 20;
};

// An upload the PC's way: the request, every block, then EOT and the device's last word.
QList<Step> hochladen(const QByteArray& anfrage, const QByteArray& daten, const QByteArray& letztes)
{
    QList<Step> steps{{anfrage, NAK}};
    for (int n = 1; n <= (daten.size() + 127) / 128; ++n)
        steps.append({xmodem::block(daten, n), ACK});
    return steps << Step{EOT, letztes};
}

} // namespace

Q_DECLARE_METATYPE(QList<Step>)
Q_DECLARE_METATYPE(VersionMode)

class tst_Klingport : public QObject {
    Q_OBJECT

private slots:
    void exchanges_data();
    void exchanges();
    void builtInReportsFollowFixedPositions();
    void reportsCycleAtTheIntervalUntilLoggingOff();
};

void tst_Klingport::exchanges_data()
{
    QTest::addColumn<VersionMode>("mode");
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QByteArray>("firmware");
    const auto row = [](const char* name, const QList<Step>& steps, const QByteArray& firmware = {},
                        VersionMode mode = VersionMode::Complete) {
        QTest::newRow(name) << mode << steps << firmware;
    };
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
    row("restart leaves only the bootloader", {{"xr\r", ""},
                                               version,
                                               {"r", ""},
                                               bootloaderVersion,
                                               {"p\r", ""},
                                               {"D\r", ""},
                                               {"U\r", ""},
                                               {"t\r", ""},
                                               {"z103\r", ""},
                                               {NAK, ""}});

    // Kept: the partial frame and the resent one make a 132-byte mix that fails its check; the rest of
    // this frame holds no byte the device would act on.
    const QByteArray f1 = xmodem::frame(1, xmodem::pattern(128, 6));
    row("partial frame kept over 1000 ms", {{"s\r", NAK}, {f1.left(50), ""}, {f1, NAK, 1000}});
    row("partial frame discarded after 1001 ms", {{"s\r", NAK}, {f1.left(50), ""}, {f1, ACK, 1001}});
    QByteArray summe = f(2), komplement = f(2);
    summe[131] = char(summe[131] ^ 1);
    komplement[2] = char(komplement[2] ^ 0x10);
    row("bad frames are NAKed",
        {{"s\r", NAK}, {f(1), ACK}, {summe, NAK}, {komplement, NAK}, {f(2), ACK}, {EOT, ACK}},
        data.left(256));
    row("block out of sequence ends with CAN", {{"s\r", NAK}, {f(1), ACK}, {f(3), CAN}, version});
    row("CAN from the PC ends an upload", {{"s\r", NAK}, {f(1), ACK}, {CAN3, ""}, version});
    row("CAN from the PC ends a download",
        {{"U\r", ""}, {NAK, xmodem::block(Klingport::factoryImage(), 1)}, {CAN3, ""}, version});
    // Bytes heard inside a transfer are no command, but put off the give-up.
    const QList<Step> silentPc{
        {"i\r", "", 9999}, {"i\r", "", 9999}, {"", "", 10000}, {"i\r", VersionLine, 0}};
    row("a silent PC's upload is given up", QList<Step>{{"D\r", NAK}} + silentPc);
    row("a silent PC's download is given up", QList<Step>{{"U\r", ""}} + silentPc);

    row("image one block short is refused", hochladen("D\r", xmodem::pattern(ImageSize - 128), CAN)
                                                << version);
    row("image one block long is refused", hochladen("D\r", xmodem::pattern(ImageSize + 128), CAN)
                                               << version);
    row("empty firmware is refused", hochladen("s\r", {}, CAN) << version);
    row("empty bus driver is refused", hochladen("p\r", {}, CAN) << version);
    row("a bus driver completes the version", hochladen("p\r", data, ACK) << version, {},
        VersionMode::NoBusDriver);
}

void tst_Klingport::exchanges()
{
    QFETCH(VersionMode, mode);
    QFETCH(QList<Step>, steps);
    QFETCH(QByteArray, firmware);
    Options options;
    options.version = mode;
    Klingport device(options);
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
    QCOMPARE(device.firmware(), firmware);
    QCOMPARE(device.image(), Klingport::factoryImage());
}

void tst_Klingport::builtInReportsFollowFixedPositions()
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

void tst_Klingport::reportsCycleAtTheIntervalUntilLoggingOff()
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

QTEST_APPLESS_MAIN(tst_Klingport)
#include "tst_klingport.moc"
