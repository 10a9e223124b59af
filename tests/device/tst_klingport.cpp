// The device core against a PC side written here from the protocol alone, on a virtual clock.

#include "Klingport.h"
#include "Xmodem.h"

#include <QRegularExpression>
#include <QSet>
#include <QtTest>
#include <functional>

using namespace device;

namespace {

const QByteArray NAK("\x15");
const QByteArray ACK("\x06");
const QByteArray CAN("\x18");
const QByteArray EOT("\x04");
const QByteArray VersionLine = Klingport::versionAnswer(VersionMode::Complete);

// One device on a virtual clock.
struct Bench {
    explicit Bench(Options options = {}) : device(std::move(options)) {}

    // Sends bytes `step` ms after the last event, in pieces of `chunk` bytes (0 = whole); returns the answer.
    QByteArray send(const QByteArray& bytes, Millis step = 0, int chunk = 0)
    {
        now += step;
        const int piece = chunk > 0 ? chunk : int(bytes.size());
        for (qsizetype at = 0; at < bytes.size(); at += piece)
            device.receive(QByteArrayView(bytes).sliced(at, std::min<qsizetype>(piece, bytes.size() - at)),
                           now);
        return device.takeOutput();
    }
    QByteArray wait(Millis ms)
    {
        now += ms;
        device.advanceTo(now);
        return device.takeOutput();
    }
    bool answersVersion() { return send("i\r") == Klingport::versionAnswer(device.version()); }

    Klingport device;
    Millis now = 0;
};

// The device's answers to an upload run the PC's way: to the request, to each frame, to EOT.
QList<QByteArray> uploadAsPc(Bench& bench, const QByteArray& request, const QByteArray& data, int chunk = 0)
{
    QList<QByteArray> answers{bench.send(request, 5, chunk)};
    for (const QByteArray& f : xmodem::frames(data))
        answers.append(bench.send(f, 70, chunk));
    answers.append(bench.send(EOT, 1, chunk));
    return answers;
}

QByteArray imageBlock(const QByteArray& image, int n)
{
    return xmodem::frame(n, image.mid((n - 1) * 128, 128));
}

Options withVersion(VersionMode mode)
{
    Options options;
    options.version = mode;
    return options;
}

Options withFaults(const Faults& faults)
{
    Options options;
    options.faults = faults;
    return options;
}

Faults fault(const std::function<void(Faults&)>& set)
{
    Faults faults;
    set(faults);
    return faults;
}

Faults canAt(CanFault::Phase phase, int block = 0)
{
    return fault([&](Faults& x) { x.can = {phase, block}; });
}

struct Step {
    QByteArray send;
    QByteArray expect;
};

} // namespace

Q_DECLARE_METATYPE(Faults)
Q_DECLARE_METATYPE(QList<Step>)
Q_DECLARE_METATYPE(VersionMode)

class tst_Klingport : public QObject {
    Q_OBJECT

private slots:
    void upload_data();
    void upload();
    void badFrameIsNakedAndTakenWhenSentAgain_data();
    void badFrameIsNakedAndTakenWhenSentAgain();
    void repeatedBlockIsAckedButStoredOnce();
    void blockOutOfSequenceEndsWithCan();
    void partialFrameIsDiscardedAfterAPause_data();
    void partialFrameIsDiscardedAfterAPause();
    void canFromPcEndsTransfer_data();
    void canFromPcEndsTransfer();
    void uploadThatCannotBeStoredIsRefused_data();
    void uploadThatCannotBeStoredIsRefused();
    void silentPcEndsTransferAfterGiveUp_data();
    void silentPcEndsTransferAfterGiveUp();
    void downloadRepeatsOnNakAndEndsAfterEot();
    void restartLeavesOnlyTheBootloader();
    void unfinishedCommandIsForgottenAfterAPause_data();
    void unfinishedCommandIsForgottenAfterAPause();
    void busDriverUploadBringsPic();
    void callButton_data();
    void callButton();
    void malformedCallButtonQueryIsIgnored();
    void builtInReportsFollowFixedPositions();
    void builtInReportsCoverEveryKind();
    void reportsCycleAtTheIntervalUntilLoggingOff();
    void faults_data();
    void faults();
    void storeDelayHoldsBackTheFinalAck();
    void factoryImageLayout();
};

void tst_Klingport::upload_data()
{
    QTest::addColumn<VersionMode>("mode");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("chunk");

    QTest::newRow("firmware") << VersionMode::Complete << QByteArray("s\r") << 1000 << 0;
    QTest::newRow("firmware byte by byte") << VersionMode::Complete << QByteArray("s\r") << 300 << 1;
    QTest::newRow("firmware, bare s in bootloader, CR after it")
        << VersionMode::BootloaderOnly << QByteArray("s\r") << 257 << 0;
    QTest::newRow("bus driver") << VersionMode::NoBusDriver << QByteArray("p\r") << 640 << 7;
    QTest::newRow("image") << VersionMode::Complete << QByteArray("D\r") << ImageSize << 0;
    QTest::newRow("image byte by byte") << VersionMode::Complete << QByteArray("D\r") << ImageSize << 1;
}

void tst_Klingport::upload()
{
    QFETCH(VersionMode, mode);
    QFETCH(QByteArray, request);
    QFETCH(int, size);
    QFETCH(int, chunk);
    Bench bench(withVersion(mode));
    const QByteArray data = xmodem::pattern(size, 1);

    const QList<QByteArray> answers = uploadAsPc(bench, request, data, chunk);

    QCOMPARE(answers.first(), NAK);
    for (qsizetype i = 1; i < answers.size(); ++i)
        QCOMPARE(answers[i], ACK);
    const QByteArray padded = data.leftJustified((size + 127) / 128 * 128, Sub);
    if (request == "D\r")
        QCOMPARE(bench.device.image(), data);
    else if (request == "p\r")
        QCOMPARE(bench.device.busDriver(), padded);
    else
        QCOMPARE(bench.device.firmware(), padded);
    QCOMPARE(bench.device.version(), VersionMode::Complete);
    QVERIFY(bench.answersVersion());
}

void tst_Klingport::badFrameIsNakedAndTakenWhenSentAgain_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("xorMask");

    QTest::newRow("checksum") << 131 << 0x01;
    QTest::newRow("complement") << 2 << 0x10;
    QTest::newRow("block number") << 1 << 0x02;
    QTest::newRow("data") << 40 << 0x80;
}

void tst_Klingport::badFrameIsNakedAndTakenWhenSentAgain()
{
    QFETCH(int, offset);
    QFETCH(int, xorMask);
    Bench bench;
    const QByteArray data = xmodem::pattern(256, 2);
    const QList<QByteArray> frames = xmodem::frames(data);
    QByteArray bad = frames[1];
    bad[offset] = char(bad[offset] ^ xorMask);

    QCOMPARE(bench.send("s\r"), NAK);
    QCOMPARE(bench.send(frames[0]), ACK);
    QCOMPARE(bench.send(bad), NAK);
    QCOMPARE(bench.send(frames[1]), ACK);
    QCOMPARE(bench.send(EOT), ACK);
    QCOMPARE(bench.device.firmware(), data);
}

void tst_Klingport::repeatedBlockIsAckedButStoredOnce()
{
    Bench bench;
    const QByteArray data = xmodem::pattern(384, 3);
    const QList<QByteArray> frames = xmodem::frames(data);

    QCOMPARE(bench.send("s\r"), NAK);
    QCOMPARE(bench.send(frames[0]), ACK);
    QCOMPARE(bench.send(frames[1]), ACK);
    QCOMPARE(bench.send(frames[1]), ACK);
    QCOMPARE(bench.send(frames[2]), ACK);
    QCOMPARE(bench.send(EOT), ACK);
    QCOMPARE(bench.device.firmware(), data);
}

void tst_Klingport::blockOutOfSequenceEndsWithCan()
{
    Bench bench;
    const QList<QByteArray> frames = xmodem::frames(xmodem::pattern(384, 4));

    QCOMPARE(bench.send("s\r"), NAK);
    QCOMPARE(bench.send(frames[0]), ACK);
    QCOMPARE(bench.send(frames[2]), CAN);
    QVERIFY(bench.device.firmware().isEmpty());
    QVERIFY(bench.answersVersion());
}

void tst_Klingport::partialFrameIsDiscardedAfterAPause_data()
{
    QTest::addColumn<Millis>("pause");
    QTest::addColumn<QByteArray>("answer");

    // Kept: the partial frame and the resent one make a 132-byte mix that fails its check.
    QTest::newRow("1000 ms keeps it") << Millis(1000) << NAK;
    QTest::newRow("1001 ms discards it") << Millis(1001) << ACK;
}

void tst_Klingport::partialFrameIsDiscardedAfterAPause()
{
    QFETCH(Millis, pause);
    QFETCH(QByteArray, answer);
    Bench bench;
    const QByteArray f = xmodem::frame(1, xmodem::pattern(128, 6));

    QCOMPARE(bench.send("s\r"), NAK);
    QCOMPARE(bench.send(f.left(50)), QByteArray());
    QCOMPARE(bench.send(f, pause), answer);
}

void tst_Klingport::canFromPcEndsTransfer_data()
{
    QTest::addColumn<QList<Step>>("steps");
    const QByteArray image = Klingport::factoryImage();
    const QByteArray f1 = xmodem::frame(1, xmodem::pattern(128, 7));

    QTest::newRow("upload before block 1") << QList<Step>{{"D\r", NAK}};
    QTest::newRow("upload after block 1") << QList<Step>{{"s\r", NAK}, {f1, ACK}};
    QTest::newRow("download before its NAK") << QList<Step>{{"U\r", ""}};
    QTest::newRow("download after block 1") << QList<Step>{{"U\r", ""}, {NAK, imageBlock(image, 1)}};
}

void tst_Klingport::canFromPcEndsTransfer()
{
    QFETCH(QList<Step>, steps);
    Bench bench;
    for (const Step& step : steps)
        QCOMPARE(bench.send(step.send, 10), step.expect);

    QCOMPARE(bench.send(CAN + CAN + CAN), QByteArray());

    QVERIFY(!bench.device.nextDeadline());
    QVERIFY(bench.answersVersion());
    QCOMPARE(bench.device.image(), Klingport::factoryImage());
}

void tst_Klingport::uploadThatCannotBeStoredIsRefused_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("size");

    QTest::newRow("image one block short") << QByteArray("D\r") << ImageSize - 128;
    QTest::newRow("image one block long") << QByteArray("D\r") << ImageSize + 128;
    QTest::newRow("empty firmware") << QByteArray("s\r") << 0;
    QTest::newRow("empty bus driver") << QByteArray("p\r") << 0;
}

void tst_Klingport::uploadThatCannotBeStoredIsRefused()
{
    QFETCH(QByteArray, request);
    QFETCH(int, size);
    Bench bench(withVersion(VersionMode::NoBusDriver));

    const QList<QByteArray> answers = uploadAsPc(bench, request, xmodem::pattern(size, 8));

    QCOMPARE(answers.last(), CAN);
    QCOMPARE(bench.device.image(), Klingport::factoryImage());
    QVERIFY(bench.device.firmware().isEmpty());
    QCOMPARE(bench.device.version(), VersionMode::NoBusDriver);
}

void tst_Klingport::silentPcEndsTransferAfterGiveUp_data()
{
    QTest::addColumn<QByteArray>("request");

    QTest::newRow("upload") << QByteArray("D\r");
    QTest::newRow("download") << QByteArray("U\r");
}

void tst_Klingport::silentPcEndsTransferAfterGiveUp()
{
    QFETCH(QByteArray, request);
    Bench bench;
    bench.send(request);
    QCOMPARE(bench.device.nextDeadline(), std::optional(TransferGiveUp));

    QCOMPARE(bench.send("i\r", TransferGiveUp - 1), QByteArray()); // heard, but no command inside a transfer
    QCOMPARE(bench.device.nextDeadline(), std::optional(2 * TransferGiveUp - 1));
    QCOMPARE(bench.wait(TransferGiveUp), QByteArray());

    QVERIFY(bench.answersVersion());
}

void tst_Klingport::downloadRepeatsOnNakAndEndsAfterEot()
{
    Bench bench;
    const QByteArray image = bench.device.image();

    QCOMPARE(bench.send("U\r"), QByteArray());
    QCOMPARE(bench.send("x"), QByteArray()); // anything but NAK waits
    QCOMPARE(bench.send(NAK, 1000), imageBlock(image, 1));
    QCOMPARE(bench.send(NAK, 2000), imageBlock(image, 1));
    for (int n = 2; n <= 48; ++n)
        QCOMPARE(bench.send(ACK, 70), imageBlock(image, n));
    QCOMPARE(bench.send(ACK), EOT);
    QCOMPARE(bench.send(NAK), EOT);
    QCOMPARE(bench.send(ACK), QByteArray());
    QVERIFY(bench.answersVersion());
}

void tst_Klingport::restartLeavesOnlyTheBootloader()
{
    Bench bench;
    QCOMPARE(bench.send("xr\r"), QByteArray()); // "r" inside a line is no restart
    QVERIFY(!bench.device.bootloaderOnly());

    QCOMPARE(bench.send("r"), QByteArray());

    QVERIFY(bench.device.bootloaderOnly());
    QVERIFY(bench.send("i\r").contains("Bootlader"));
    for (const char* request : {"p\r", "D\r", "U\r", "t\r", "z103\r"})
        QCOMPARE(bench.send(request, 10), QByteArray());
    QCOMPARE(bench.send(NAK, 10), QByteArray()); // "U" was not taken up either

    const QByteArray firmware = xmodem::pattern(1024, 9);
    const QList<QByteArray> answers = uploadAsPc(bench, "s", firmware);
    QCOMPARE(answers.count(ACK), 9);
    QVERIFY(!bench.device.bootloaderOnly());
    QVERIFY(bench.send("i\r").contains("PIC"));
}

void tst_Klingport::unfinishedCommandIsForgottenAfterAPause_data()
{
    QTest::addColumn<Millis>("pause");
    QTest::addColumn<bool>("restarted");

    QTest::newRow("1000 ms: \"sr\" is one line") << Millis(1000) << false;
    QTest::newRow("1001 ms: \"r\" starts a new one") << Millis(1001) << true;
}

void tst_Klingport::unfinishedCommandIsForgottenAfterAPause()
{
    QFETCH(Millis, pause);
    QFETCH(bool, restarted);
    Bench bench; // running firmware waits for the CR after "s"

    QCOMPARE(bench.send("s"), QByteArray());
    QCOMPARE(bench.send("r", pause), QByteArray());

    QCOMPARE(bench.device.bootloaderOnly(), restarted);
}

void tst_Klingport::busDriverUploadBringsPic()
{
    Bench bench(withVersion(VersionMode::NoBusDriver));
    QVERIFY(!bench.send("i\r").contains("PIC"));

    QCOMPARE(uploadAsPc(bench, "p\r", xmodem::pattern(2000, 10)).last(), ACK);

    QVERIFY(bench.send("i\r").contains("PIC"));
}

void tst_Klingport::callButton_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("doorStation");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QByteArray>("answer");

    QTest::newRow("station 1, entry 3")
        << QByteArray("z103\r") << 1 << 3 << QByteArray("1A 2B 3C 4D 03 \r\n");
    QTest::newRow("station 2, entry 7")
        << QByteArray("z207\r") << 2 << 7 << QByteArray("1A 2B 3C 4E 07 \r\n");
    QTest::newRow("station 9, entry 50")
        << QByteArray("z950\r") << 9 << 50 << QByteArray("1A 2B 3C 55 32 \r\n");
    QTest::newRow("station 1, entry 10")
        << QByteArray("z110\r") << 1 << 10 << QByteArray("1A 2B 3C 4D 0A \r\n");
}

void tst_Klingport::callButton()
{
    QFETCH(QByteArray, request);
    QFETCH(int, doorStation);
    QFETCH(int, entry);
    QFETCH(QByteArray, answer);
    Bench bench;

    const QByteArray got = bench.send(request);

    QCOMPARE(got.size(), 17);
    QCOMPARE(got, answer);
    QVERIFY(QRegularExpression("^([0-9A-F]{2} ){5}\r\n$").match(QString::fromLatin1(got)).hasMatch());
    QCOMPARE(Klingport::callButtonAddress(doorStation, entry),
             QByteArray::fromHex(got.left(15).replace(' ', "")) + QByteArray(3, '\0'));
}

void tst_Klingport::malformedCallButtonQueryIsIgnored()
{
    Bench bench;
    for (const char* request : {"z\r", "z1\r", "z12\r", "z1x3\r", "z-103\r"})
        QCOMPARE(bench.send(request), QByteArray());
    QVERIFY(bench.answersVersion());
}

void tst_Klingport::builtInReportsFollowFixedPositions()
{
    // The layouts by kind and code, each position where the monitor reads it.
    const QList<QRegularExpression> layouts = {
        QRegularExpression("^S: (12|21|22|20|31) [0-9A-F]{8}\r\n$"),
        QRegularExpression("^S: 42 [0-9A-F]{8} (FF|00)\r\n$"),
        QRegularExpression("^S: A[01] (FF|00)\r\n$"),
        QRegularExpression("^S: (81|82|A2|A3)\r\n$"),
        QRegularExpression("^E: (20|11|12) [0-9A-F]{8} [0-9A-F]{2}\r\n$"),
        QRegularExpression("^E: (21|22|01|00|03|02) [0-9A-F]{8}\r\n$"),
        QRegularExpression("^T: LOCAL [0-9A-F]{2} 0[01] 0[01]\r\n$"),
        QRegularExpression("^T: DIAL  [0-9A-F]{2} 0[01] 0[01] - [0-9]+\r\n$"),
    };
    for (const QByteArray& report : Klingport::builtInReports()) {
        const QString text = QString::fromLatin1(report);
        const auto fits = std::count_if(layouts.begin(), layouts.end(), [&](const QRegularExpression& l) {
            return l.match(text).hasMatch();
        });
        QVERIFY2(fits == 1, qPrintable(QStringLiteral("no fixed layout: %1").arg(text.trimmed())));
    }
}

void tst_Klingport::builtInReportsCoverEveryKind()
{
    QSet<QString> seen;
    for (const QByteArray& r : Klingport::builtInReports()) {
        const QString text = QString::fromLatin1(r);
        if (r.startsWith("S: 42"))
            seen << text.mid(0, 5) + text.mid(14, 3);
        else if (r.startsWith("S: A0") || r.startsWith("S: A1"))
            seen << text.mid(0, 8);
        else if (r.startsWith("T:"))
            seen << text.mid(0, 8) << (text.mid(9, 2) == "00" ? "T: master" : "T: entry")
                 << "T: variant " + text.mid(12, 2) << "T: AB " + text.mid(15, 2);
        else
            seen << text.mid(0, 5);
    }
    const QSet<QString> every = {
        "S: 12",         "S: 21",         "S: 22",    "S: 20",    "S: 31",    "S: 42 FF",  "S: 42 00",
        "S: 81",         "S: 82",         "S: A0 FF", "S: A0 00", "S: A1 FF", "S: A1 00",  "S: A2",
        "S: A3",         "E: 20",         "E: 11",    "E: 12",    "E: 21",    "E: 22",     "E: 01",
        "E: 00",         "E: 03",         "E: 02",    "T: LOCAL", "T: DIAL ", "T: master", "T: entry",
        "T: variant 00", "T: variant 01", "T: AB 00", "T: AB 01",
    };
    QCOMPARE(seen, every);
}

void tst_Klingport::reportsCycleAtTheIntervalUntilLoggingOff()
{
    const QList<QByteArray> reports = {"S: A2\r\n", "S: 81\r\n", "S: 82\r\n"};
    Options options;
    options.reports = reports;
    options.reportInterval = 400;
    options.reportPauses = {{1, 100}, {3, 1000}};
    Bench bench(options);

    QCOMPARE(bench.send("t\r"), QByteArray());
    QVERIFY(bench.device.logging());
    QCOMPARE(bench.wait(399), QByteArray());
    QCOMPARE(bench.wait(1), reports[0]);
    QCOMPARE(bench.wait(499), QByteArray());
    QCOMPARE(bench.wait(1), reports[1]);
    QCOMPARE(bench.wait(400), reports[2]);
    QCOMPARE(bench.wait(1399), QByteArray()); // a round's end pause, then the interval
    QCOMPARE(bench.wait(1), reports[0]);
    QCOMPARE(bench.wait(10 * 2300), (reports[1] + reports[2] + reports[0]).repeated(10));

    QCOMPARE(bench.send("n\r"), QByteArray());

    QVERIFY(!bench.device.logging());
    QVERIFY(!bench.device.nextDeadline());
    QCOMPARE(bench.wait(10000), QByteArray());
}

void tst_Klingport::faults_data()
{
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<bool>("dropped");
    const auto row = [](const char* name, const Faults& faults, const QList<Step>& steps,
                        bool dropped = false) { QTest::newRow(name) << faults << steps << dropped; };

    const QByteArray image = Klingport::factoryImage();
    const QList<QByteArray> f = xmodem::frames(xmodem::pattern(3 * 128, 11));
    const auto b = [&](int n) { return imageBlock(image, n); };
    const Step version{"i\r", VersionLine};
    QList<Step> toEot{{"U\r", ""}, {NAK, b(1)}};
    for (int n = 2; n <= 48; ++n)
        toEot.append({ACK, b(n)});

    row("NAK block 2 twice, in every upload", fault([](Faults& x) {
            x.nakBlock = {{2, 2}};
        }),
        {{"s\r", NAK},
         {f[0], ACK},
         {f[1], NAK},
         {f[1], NAK},
         {f[1], ACK},
         {f[2], ACK},
         {EOT, ACK},
         {"p\r", NAK},
         {f[0], ACK},
         {f[1], NAK}});

    row("CAN at the upload request", canAt(CanFault::Phase::Request), {{"s\r", CAN}, version});
    row("CAN at upload block 2", canAt(CanFault::Phase::Block, 2),
        {{"s\r", NAK}, {f[0], ACK}, {f[1], CAN}, version});
    row("CAN at upload EOT", canAt(CanFault::Phase::Eot), {{"s\r", NAK}, {f[0], ACK}, {EOT, CAN}, version});
    row("CAN at the download request", canAt(CanFault::Phase::Request), {{"U\r", ""}, {NAK, CAN}, version});
    row("CAN at download block 2", canAt(CanFault::Phase::Block, 2),
        {{"U\r", ""}, {NAK, b(1)}, {ACK, CAN}, version});
    row("CAN at download EOT", canAt(CanFault::Phase::Eot), toEot + QList<Step>{{ACK, CAN}, version});

    row("silent", fault([](Faults& x) { x.silent = true; }),
        {{"i\r", ""}, {"s\r", ""}, {"z103\r", ""}, {"U\r", ""}, {NAK, ""}});

    QByteArray corrupt = b(2);
    corrupt[131] = char(corrupt[131] + 1);
    row("corrupt download block 2 once", fault([](Faults& x) {
            x.corruptBlock = {{2, 1}};
        }),
        {{"U\r", ""}, {NAK, b(1)}, {ACK, corrupt}, {NAK, b(2)}, {ACK, b(3)}});
    row("truncate download block 3 twice", fault([](Faults& x) {
            x.truncateBlock = {{3, 2}};
        }),
        {{"U\r", ""}, {NAK, b(1)}, {ACK, b(2)}, {ACK, b(3).left(100)}, {NAK, b(3).left(100)}, {NAK, b(3)}});

    const QByteArray g("\xFF\x00\xA5", 3);
    row("garbage before each answer to a request, and only there", fault([&](Faults& x) { x.garbage = g; }),
        {{"i\r", g + VersionLine},
         {"z103\r", g + "1A 2B 3C 4D 03 \r\n"},
         {"s\r", g + NAK},
         {f[0], ACK},
         {f[0], ACK},
         {f[1], ACK},
         {EOT, ACK},
         {"U\r", ""},
         {NAK, g + b(1)},
         {NAK, b(1)},
         {ACK, b(2)}});

    const auto dropAt = [](int n) { return fault([n](Faults& x) { x.dropAtBlock = n; }); };
    row("line drops when upload block 1 is due", dropAt(1), {{"s\r", NAK}, {f[0], ""}, {"i\r", ""}}, true);
    row("line drops when upload block 3 is due", dropAt(3),
        {{"D\r", NAK}, {f[0], ACK}, {f[1], ACK}, {f[2], ""}, {"i\r", ""}}, true);
    row("line drops when download block 2 is due", dropAt(2),
        {{"U\r", ""}, {NAK, b(1)}, {ACK, ""}, {NAK, ""}, {"i\r", ""}}, true);
}

void tst_Klingport::faults()
{
    QFETCH(Faults, faults);
    QFETCH(QList<Step>, steps);
    QFETCH(bool, dropped);
    Bench bench(withFaults(faults));

    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QByteArray got = bench.send(steps[i].send, 20);
        QVERIFY2(got == steps[i].expect,
                 qPrintable(QStringLiteral("step %1: got %2, expected %3")
                                .arg(i)
                                .arg(QString::fromLatin1(got.left(8).toHex(' ')))
                                .arg(QString::fromLatin1(steps[i].expect.left(8).toHex(' ')))));
    }
    QCOMPARE(bench.device.lineDropped(), dropped);
    if (dropped)
        QVERIFY(!bench.device.nextDeadline());
}

void tst_Klingport::storeDelayHoldsBackTheFinalAck()
{
    Bench bench(withFaults(fault([](Faults& f) { f.storeDelay = 5000; })));
    const QByteArray data = xmodem::pattern(128, 12);

    QCOMPARE(bench.send("s\r"), NAK);
    QCOMPARE(bench.send(xmodem::frame(1, data)), ACK);
    QCOMPARE(bench.send(EOT, 10), QByteArray());
    QCOMPARE(bench.send(NAK + "i\r", 1000), QByteArray()); // a storing device hears nothing
    QCOMPARE(bench.wait(3999), QByteArray());
    QVERIFY(bench.device.firmware().isEmpty());

    QCOMPARE(bench.wait(1), ACK);

    QCOMPARE(bench.device.firmware(), data);
    QVERIFY(bench.answersVersion());
}

void tst_Klingport::factoryImageLayout()
{
    const QByteArray image = Klingport::factoryImage();
    QCOMPARE(image.size(), ImageSize);

    // The factory configuration, field by field.
    QCOMPARE(image[0], '\0');
    QCOMPARE(image[1], '\x01');
    QCOMPARE(image.mid(2, 12), QByteArray("030\0"
                                          "030\0"
                                          "060\0",
                                          12));
    QCOMPARE(image.mid(14, 2), QByteArray(2, '\0'));
    QCOMPARE(image.mid(16, 6), QByteArray("5183\0\0", 6));
    QCOMPARE(image[64], ' ');
    QCOMPARE(image.mid(65, 25), QByteArray(25, '\0'));
    QCOMPARE(image.mid(3456, 640), QByteArray(640, '\0'));
    QCOMPARE(image.mid(5096, 1048), QByteArray(1048, '\0'));

    // A taught entry holds the address its call button answers with.
    int entries = 0;
    for (int n = 1; n <= 50; ++n) {
        const QByteArray record = image.mid(256 + 64 * (n - 1), 64);
        const QByteArray name = image.mid(4096 + 20 * (n - 1), 20);
        if (record == QByteArray(64, '\0')) {
            QCOMPARE(name, QByteArray(20, '\0'));
            continue;
        }
        ++entries;
        const int doorStation = record[8] - '0';
        QVERIFY(doorStation >= 1 && doorStation <= 9);
        QCOMPARE(record.left(8), Klingport::callButtonAddress(doorStation, n));
        QCOMPARE(record[9], '\0');
        QVERIFY(record[10] == 'A' || record[10] == ' ');
        QVERIFY(record[36] == 'A' || record[36] == ' ');
        QCOMPARE(record.mid(62, 2), QByteArray(2, '\0'));
        QVERIFY(!name.startsWith('\0'));
    }
    QVERIFY(entries >= 3);
}

QTEST_APPLESS_MAIN(tst_Klingport)
#include "tst_klingport.moc"
