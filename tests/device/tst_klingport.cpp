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

Options with(VersionMode mode, const Faults& faults = {})
{
    Options options;
    options.version = mode;
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

// Bytes sent `pause` ms after the last ones (none: only time passes), and the device's answer.
struct Step {
    QByteArray send;
    QByteArray expect;
    Millis pause = 20;
};

// What an exchange leaves behind besides the answers.
enum class After { Anything, NothingDue, LineDropped };

} // namespace

Q_DECLARE_METATYPE(Faults)
Q_DECLARE_METATYPE(QList<Step>)
Q_DECLARE_METATYPE(VersionMode)
Q_DECLARE_METATYPE(After)

class tst_Klingport : public QObject {
    Q_OBJECT

private slots:
    void upload_data();
    void upload();
    void exchanges_data();
    void exchanges();
    void callButton_data();
    void callButton();
    void builtInReportsFollowFixedPositionsAndCoverEveryKind();
    void reportsCycleAtTheIntervalUntilLoggingOff();
    void factoryImageLayout();
};

void tst_Klingport::upload_data()
{
    QTest::addColumn<VersionMode>("mode");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("chunk");
    QTest::addColumn<bool>("stored"); // else refused with CAN after EOT, and nothing changes

    QTest::newRow("firmware") << VersionMode::Complete << QByteArray("s\r") << 1000 << 0 << true;
    QTest::newRow("firmware byte by byte") << VersionMode::Complete << QByteArray("s\r") << 300 << 1 << true;
    QTest::newRow("firmware, bare s in bootloader, CR after it")
        << VersionMode::BootloaderOnly << QByteArray("s\r") << 257 << 0 << true;
    QTest::newRow("bus driver") << VersionMode::NoBusDriver << QByteArray("p\r") << 640 << 7 << true;
    QTest::newRow("image") << VersionMode::Complete << QByteArray("D\r") << ImageSize << 0 << true;
    QTest::newRow("image byte by byte")
        << VersionMode::Complete << QByteArray("D\r") << ImageSize << 1 << true;
    QTest::newRow("image one block short")
        << VersionMode::NoBusDriver << QByteArray("D\r") << ImageSize - 128 << 0 << false;
    QTest::newRow("image one block long")
        << VersionMode::NoBusDriver << QByteArray("D\r") << ImageSize + 128 << 0 << false;
    QTest::newRow("empty firmware") << VersionMode::NoBusDriver << QByteArray("s\r") << 0 << 0 << false;
    QTest::newRow("empty bus driver") << VersionMode::NoBusDriver << QByteArray("p\r") << 0 << 0 << false;
}

void tst_Klingport::upload()
{
    QFETCH(VersionMode, mode);
    QFETCH(QByteArray, request);
    QFETCH(int, size);
    QFETCH(int, chunk);
    QFETCH(bool, stored);
    Bench bench(with(mode));
    const QByteArray data = xmodem::pattern(size, 1);

    const QList<QByteArray> answers = uploadAsPc(bench, request, data, chunk);

    QCOMPARE(answers.first(), NAK);
    for (qsizetype i = 1; i < answers.size() - 1; ++i)
        QCOMPARE(answers[i], ACK);
    QCOMPARE(answers.last(), stored ? ACK : CAN);
    const QByteArray padded = data.leftJustified((size + 127) / 128 * 128, Sub);
    QCOMPARE(bench.device.image(), stored && request == "D\r" ? data : Klingport::factoryImage());
    QCOMPARE(bench.device.firmware(), stored && request == "s\r" ? padded : QByteArray());
    QCOMPARE(bench.device.busDriver(), stored && request == "p\r" ? padded : QByteArray());
    QCOMPARE(bench.device.version(), stored ? VersionMode::Complete : mode);
    QVERIFY(bench.answersVersion());
}

void tst_Klingport::exchanges_data()
{
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QByteArray>("firmware");
    QTest::addColumn<After>("after");
    const auto row = [](const char* name, const Faults& faults, const QList<Step>& steps,
                        const QByteArray& firmware = {}, After after = After::Anything) {
        QTest::newRow(name) << faults << steps << firmware << after;
    };

    const QByteArray image = Klingport::factoryImage();
    const QByteArray data = xmodem::pattern(3 * 128, 11);
    const QList<QByteArray> f = xmodem::frames(data);
    const auto b = [&](int n) { return imageBlock(image, n); };
    const Step version{"i\r", VersionLine};
    const Step bootloaderVersion{"i\r", Klingport::versionAnswer(VersionMode::BootloaderOnly)};
    QList<Step> toEot{{"U\r", ""}, {NAK, b(1)}};
    for (int n = 2; n <= 48; ++n)
        toEot.append({ACK, b(n)});

    for (const auto& [name, offset, mask] : {std::tuple("bad checksum", 131, 0x01),
                                             {"bad complement", 2, 0x10},
                                             {"bad block number", 1, 0x02},
                                             {"bad data", 40, 0x80}}) {
        QByteArray bad = f[1];
        bad[offset] = char(bad[offset] ^ mask);
        row(name, {}, {{"s\r", NAK}, {f[0], ACK}, {bad, NAK}, {f[1], ACK}, {EOT, ACK}}, data.left(256));
    }
    row("repeated block is ACKed but stored once", {},
        {{"s\r", NAK}, {f[0], ACK}, {f[1], ACK}, {f[1], ACK}, {f[2], ACK}, {EOT, ACK}}, data);
    row("block out of sequence ends with CAN", {}, {{"s\r", NAK}, {f[0], ACK}, {f[2], CAN}, version});
    // Kept: the partial frame and the resent one make a 132-byte mix that fails its check. Frame f1's
    // rest after that mix holds no byte the device would act on.
    const QByteArray f1 = xmodem::frame(1, xmodem::pattern(128, 6));
    row("partial frame kept over 1000 ms", {}, {{"s\r", NAK}, {f1.left(50), ""}, {f1, NAK, 1000}});
    row("partial frame discarded after 1001 ms", {}, {{"s\r", NAK}, {f1.left(50), ""}, {f1, ACK, 1001}});
    row("1000 ms: \"sr\" is one line", {}, {{"s", ""}, {"r", "", 1000}, {"\r", ""}, version});
    row("1001 ms: \"r\" starts a new one and restarts", {}, {{"s", ""}, {"r", "", 1001}, bootloaderVersion});
    row("download repeats on NAK, waits for nothing else, ends after EOT", {},
        QList<Step>{{"U\r", ""}, {"x", ""}, {NAK, b(1), 1000}, {NAK, b(1), 2000}} + toEot.mid(2) +
            QList<Step>{{ACK, EOT}, {NAK, EOT}, {ACK, ""}, version});
    // "r" inside a line is no restart; the bootloader takes up nothing but "s" and "i".
    const QList<Step> refused{{"p\r", ""}, {"D\r", ""}, {"U\r", ""}, {"t\r", ""}, {"z103\r", ""}, {NAK, ""}};
    row("restart leaves only the bootloader", {},
        QList<Step>{{"xr\r", ""}, version, {"r", ""}, bootloaderVersion} + refused);
    row("malformed call-button queries are ignored", {},
        {{"z\r", ""}, {"z1\r", ""}, {"z12\r", ""}, {"z1x3\r", ""}, {"z-103\r", ""}, version});

    // Bytes heard inside a transfer are no command, but put off the give-up.
    const Millis giveUp = TransferGiveUp;
    const QList<Step> silentPc{
        {"i\r", "", giveUp - 1}, {"i\r", "", giveUp - 1}, {"", "", giveUp}, {"i\r", VersionLine, 0}};
    row("a silent PC's upload is given up", {}, QList<Step>{{"D\r", NAK}} + silentPc);
    row("a silent PC's download is given up", {}, QList<Step>{{"U\r", ""}} + silentPc);

    const QByteArray CAN3 = CAN + CAN + CAN;
    row("CAN from the PC before upload block 1", {}, {{"D\r", NAK}, {CAN3, ""}, version}, {},
        After::NothingDue);
    row("CAN from the PC after upload block 1", {}, {{"s\r", NAK}, {f[0], ACK}, {CAN3, ""}, version}, {},
        After::NothingDue);
    row("CAN from the PC before the download's NAK", {}, {{"U\r", ""}, {CAN3, ""}, version}, {},
        After::NothingDue);
    row("CAN from the PC after download block 1", {}, {{"U\r", ""}, {NAK, b(1)}, {CAN3, ""}, version}, {},
        After::NothingDue);

    const Faults nakTwice = fault([](Faults& x) { x.nakBlock = {{2, 2}}; });
    const QList<Step> fullUpload{{"s\r", NAK}, {f[0], ACK}, {f[1], NAK},
                                 {f[1], NAK},  {f[1], ACK}, {f[2], ACK}};
    row("NAK block 2 twice, in every upload", nakTwice,
        fullUpload + QList<Step>{{EOT, ACK}, {"p\r", NAK}, {f[0], ACK}, {f[1], NAK}}, data);

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
    const Faults corruptOnce = fault([](Faults& x) { x.corruptBlock = {{2, 1}}; });
    row("corrupt download block 2 once", corruptOnce,
        {{"U\r", ""}, {NAK, b(1)}, {ACK, corrupt}, {NAK, b(2)}, {ACK, b(3)}});
    const Faults truncateTwice = fault([](Faults& x) { x.truncateBlock = {{3, 2}}; });
    row("truncate download block 3 twice", truncateTwice,
        {{"U\r", ""}, {NAK, b(1)}, {ACK, b(2)}, {ACK, b(3).left(100)}, {NAK, b(3).left(100)}, {NAK, b(3)}});

    const QByteArray g("\xFF\x00\xA5", 3);
    const QList<Step> requests{
        {"i\r", g + VersionLine}, {"z103\r", g + "1A 2B 3C 4D 03 \r\n"}, {"s\r", g + NAK}};
    const QList<Step> frames{{f[0], ACK}, {f[0], ACK}, {f[1], ACK}, {EOT, ACK}};
    row("garbage before each answer to a request, and only there", fault([&](Faults& x) { x.garbage = g; }),
        requests + frames + QList<Step>{{"U\r", ""}, {NAK, g + b(1)}, {NAK, b(1)}, {ACK, b(2)}},
        data.left(256));

    // A storing device hears nothing until its final ACK.
    const Faults slowStore = fault([](Faults& x) { x.storeDelay = 5000; });
    const QList<Step> storing{{EOT, ""}, {NAK + "i\r", "", 1000}, {"", "", 3999}, {"", ACK, 1}, version};
    row("store delay holds back the final ACK", slowStore, QList<Step>{{"s\r", NAK}, {f[0], ACK}} + storing,
        data.left(128));

    const auto dropAt = [](int n) { return fault([n](Faults& x) { x.dropAtBlock = n; }); };
    row("line drops when upload block 1 is due", dropAt(1), {{"s\r", NAK}, {f[0], ""}, {"i\r", ""}}, {},
        After::LineDropped);
    row("line drops when upload block 3 is due", dropAt(3),
        {{"D\r", NAK}, {f[0], ACK}, {f[1], ACK}, {f[2], ""}, {"i\r", ""}}, {}, After::LineDropped);
    row("line drops when download block 2 is due", dropAt(2),
        {{"U\r", ""}, {NAK, b(1)}, {ACK, ""}, {NAK, ""}, {"i\r", ""}}, {}, After::LineDropped);
}

void tst_Klingport::exchanges()
{
    QFETCH(Faults, faults);
    QFETCH(QList<Step>, steps);
    QFETCH(QByteArray, firmware);
    QFETCH(After, after);
    Bench bench(with(VersionMode::Complete, faults));

    for (qsizetype i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        const QByteArray got =
            step.send.isEmpty() ? bench.wait(step.pause) : bench.send(step.send, step.pause);
        QVERIFY2(got == step.expect,
                 qPrintable(QStringLiteral("step %1: got %2, expected %3")
                                .arg(i)
                                .arg(QString::fromLatin1(got.left(8).toHex(' ')))
                                .arg(QString::fromLatin1(step.expect.left(8).toHex(' ')))));
    }
    QCOMPARE(bench.device.firmware(), firmware);
    QCOMPARE(bench.device.image(), Klingport::factoryImage()); // no exchange stores a whole image
    QCOMPARE(bench.device.lineDropped(), after == After::LineDropped);
    if (after != After::Anything)
        QVERIFY(!bench.device.nextDeadline());
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

    QCOMPARE(bench.send(request), answer);
    // A taught entry holds the five bytes of the answer, then three zeros.
    QCOMPARE(Klingport::callButtonAddress(doorStation, entry),
             QByteArray::fromHex(answer.left(15).replace(' ', "")) + QByteArray(3, '\0'));
}

void tst_Klingport::builtInReportsFollowFixedPositionsAndCoverEveryKind()
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
    QSet<QString> seen;
    for (const QByteArray& r : Klingport::builtInReports()) {
        const QString text = QString::fromLatin1(r);
        const auto fits = std::count_if(layouts.begin(), layouts.end(), [&](const QRegularExpression& l) {
            return l.match(text).hasMatch();
        });
        QVERIFY2(fits == 1, qPrintable(QStringLiteral("no fixed layout: %1").arg(text.trimmed())));
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
