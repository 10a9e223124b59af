// The real klingport-sim, talked to over its pseudo-terminal the way a PC's serial port would.

#include "Klingport.h"
#include "SimProcess.h"
#include "Xmodem.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using device::Klingport;

namespace {

const QByteArray NAK("\x15");
const QByteArray ACK("\x06");
const QByteArray EOT("\x04");

// One run of the simulator and a client on its terminal.
class SimRun {
public:
    explicit SimRun(const QStringList& arguments, const QString& openPath = {})
        : sim(arguments), process(sim.process()), path(sim.ptyPath())
    {
        if (path.isEmpty())
            return;
        fd = ::open((openPath.isEmpty() ? path : openPath).toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        termios settings{};
        if (fd >= 0 && ::tcgetattr(fd, &settings) == 0) {
            ::cfmakeraw(&settings);
            ::cfsetspeed(&settings, B19200);
            ::tcsetattr(fd, TCSANOW, &settings);
        }
    }
    ~SimRun()
    {
        if (fd >= 0)
            ::close(fd);
    }

    bool up() const { return fd >= 0; }
    bool write(const QByteArray& bytes)
    {
        return ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }

    // Reads until `count` bytes, the end of a line when `line`, end of file, or the time is up.
    QByteArray read(qsizetype count, int timeoutMs, bool line = false)
    {
        QByteArray got;
        QElapsedTimer clock;
        clock.start();
        while (got.size() < count && !(line && got.endsWith("\r\n"))) {
            pollfd ready{fd, POLLIN, 0};
            const int left = int(timeoutMs - clock.elapsed());
            if (left <= 0 || ::poll(&ready, 1, left) <= 0)
                break;
            char byte[256];
            const ssize_t n =
                ::read(fd, byte, line ? 1 : size_t(std::min<qsizetype>(256, count - got.size())));
            if (n <= 0) {
                endOfFile = n == 0;
                break;
            }
            got.append(byte, n);
        }
        return got;
    }
    QByteArray readLine(int timeoutMs) { return read(200, timeoutMs, true); }

    // Runs an upload the PC's way; true when every answer was the expected one.
    bool upload(const QByteArray& request, const QByteArray& data)
    {
        if (!write(request) || read(1, 2000) != NAK)
            return false;
        for (const QByteArray& f : xmodem::frames(data)) {
            if (!write(f) || read(1, 2000) != ACK)
                return false;
        }
        return write(EOT) && read(1, 5000) == ACK;
    }

    // Runs a download the PC's way; the image, or empty on any surprise.
    QByteArray download()
    {
        QByteArray image;
        if (!write("U\r") || !write(NAK))
            return {};
        for (int n = 1; n <= 48; ++n) {
            const QByteArray data = xmodem::dataOf(read(132, 2000), n);
            if (data.isEmpty() || !write(ACK))
                return {};
            image += data;
        }
        if (read(1, 2000) != EOT || !write(ACK))
            return {};
        return image;
    }

    SimProcess sim;
    QProcess& process;
    const QString path;
    int fd = -1;
    bool endOfFile = false;
};

} // namespace

class tst_SimPty : public QObject {
    Q_OBJECT

private slots:
    void answersVersionOverItsTerminal();
    void symlinkLivesAsLongAsTheSimulator();
    void downloadTakesTheLineTime();
    void uploadIsKeptInAFile_data();
    void uploadIsKeptInAFile();
    void keptImageIsLoadedAtStart();
    void terminationDeliversWhatWasAlreadySent();
    void droppedLineReadsAsEndOfFile();
};

void tst_SimPty::answersVersionOverItsTerminal()
{
    SimRun sim({});
    QVERIFY(sim.up());
    QVERIFY(sim.path.startsWith("/dev/pts/"));

    QVERIFY(sim.write("i\r"));

    QCOMPARE(sim.readLine(2000), Klingport::versionAnswer(device::VersionMode::Complete));
}

void tst_SimPty::symlinkLivesAsLongAsTheSimulator()
{
    QTemporaryDir dir;
    const QString link = dir.filePath("ttyKlingport");
    QFile stale(link);
    QVERIFY(stale.open(QIODevice::WriteOnly)); // a leftover file is replaced
    stale.close();
    {
        SimRun sim({"--link", link, "--version", "bootloader"}, link);
        QVERIFY(sim.up());
        QCOMPARE(QFileInfo(link).symLinkTarget(), sim.path);
        QVERIFY(sim.write("i\r"));
        QVERIFY(sim.readLine(2000).contains("Bootlader"));

        sim.process.terminate();

        QVERIFY(sim.process.waitForFinished(3000));
        QCOMPARE(sim.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.process.exitCode(), 0);
    }
    QVERIFY(!QFileInfo(link).exists() && !QFileInfo(link).isSymLink());
}

void tst_SimPty::downloadTakesTheLineTime()
{
    const int baud = 19200;
    SimRun sim({"--baud", QString::number(baud)});
    QVERIFY(sim.up());
    // "U" CR and NAK in, then 48 blocks in and 48 ACKs out, then EOT.
    const double lineSeconds = (2 + 1 + 48 * (132 + 1) + 1) * 10.0 / baud;

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(sim.download(), Klingport::factoryImage());
    const double seconds = clock.nsecsElapsed() / 1e9;

    qInfo("line time %.4f s, took %.4f s (%+.2f %%)", lineSeconds, seconds,
          (seconds / lineSeconds - 1) * 100);
    QVERIFY2(seconds >= lineSeconds * 0.999, "faster than the line allows");
    QVERIFY2(seconds <= lineSeconds * 1.03, "more than 3 % above the line time");
}

void tst_SimPty::uploadIsKeptInAFile_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("file");

    QTest::newRow("image") << QByteArray("D\r") << device::ImageSize << "image.bin";
    QTest::newRow("firmware") << QByteArray("s\r") << 1000 << "fw/firmware-001.tsk";
    QTest::newRow("bus driver") << QByteArray("p\r") << 300 << "fw/bustreiber-001.hex";
}

void tst_SimPty::uploadIsKeptInAFile()
{
    QFETCH(QByteArray, request);
    QFETCH(int, size);
    QFETCH(QString, file);
    QTemporaryDir dir;
    SimRun sim({"--baud", "0", "--image", dir.filePath("image.bin"), "--firmware-dir", dir.filePath("fw")});
    QVERIFY(sim.up());
    const QByteArray data = xmodem::pattern(size, 3);

    QVERIFY(sim.upload(request, data));

    QFile kept(dir.filePath(file));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), data.leftJustified((size + 127) / 128 * 128, device::Sub));
}

void tst_SimPty::keptImageIsLoadedAtStart()
{
    QTemporaryDir dir;
    QByteArray image = Klingport::factoryImage();
    image.replace(16, 4, "2468");
    QFile file(dir.filePath("image.bin"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(image) == image.size());
    file.close();

    SimRun sim({"--baud", "0", "--image", file.fileName()});
    QVERIFY(sim.up());

    QCOMPARE(sim.download(), image);
}

void tst_SimPty::terminationDeliversWhatWasAlreadySent()
{
    // At 1200 baud block 1 takes 1.1 s on the line; the simulator is told to stop long before.
    SimRun sim({"--baud", "1200"});
    QVERIFY(sim.up());
    QVERIFY(sim.write("U\r") && sim.write(NAK));
    QTest::qWait(150);

    sim.process.terminate();

    QCOMPARE(sim.read(133, 3000), xmodem::frame(1, Klingport::factoryImage().left(128)));
    QVERIFY(sim.process.waitForFinished(3000));
    QCOMPARE(sim.process.exitCode(), 0);
}

void tst_SimPty::droppedLineReadsAsEndOfFile()
{
    SimRun sim({"--baud", "0", "--drop-at-block", "2"});
    QVERIFY(sim.up());
    QVERIFY(sim.write("D\r"));
    QCOMPARE(sim.read(1, 2000), NAK);
    QVERIFY(sim.write(xmodem::frame(1, QByteArray(128, 'x'))));

    QCOMPARE(sim.read(2, 2000), ACK); // the ACK still arrives, then the line ends

    QVERIFY(sim.endOfFile);
    QCOMPARE(::write(sim.fd, "x", 1), ssize_t(-1));
    QCOMPARE(errno, EIO);
    QVERIFY(sim.process.waitForFinished(3000));
    QCOMPARE(sim.process.exitCode(), 0);
}

QTEST_GUILESS_MAIN(tst_SimPty)
#include "tst_sim_pty.moc"
