// The real klingport-sim, talked to over its pseudo-terminal the way a PC's serial port would.
// Images and firmware kept in files, and the dropped line, are shown through the program (tst_geraet,
// tst_cli, tst_link_serial).

#include "Klingport.h"
#include "SimProcess.h"
#include "Xmodem.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using device::Klingport;

namespace {

const QByteArray NAK("\x15"), ACK("\x06");

// One run of the simulator and a client on its terminal.
struct SimRun {
    explicit SimRun(const QStringList& arguments)
        : sim(arguments), process(sim.process()), path(sim.ptyPath())
    {
        fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY);
        termios settings{};
        if (fd >= 0 && ::tcgetattr(fd, &settings) == 0) {
            ::cfmakeraw(&settings);
            ::tcsetattr(fd, TCSANOW, &settings);
        }
    }
    ~SimRun() { ::close(fd); }
    bool write(const QByteArray& bytes)
    {
        return ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }

    // Reads until `count` bytes, end of file, or the time is up.
    QByteArray read(qsizetype count, int timeoutMs = 2000)
    {
        QByteArray got;
        QElapsedTimer clock;
        clock.start();
        while (got.size() < count) {
            pollfd ready{fd, POLLIN, 0};
            const int left = int(timeoutMs - clock.elapsed());
            if (left <= 0 || ::poll(&ready, 1, left) <= 0)
                break;
            char bytes[256];
            const ssize_t n = ::read(fd, bytes, size_t(std::min<qsizetype>(256, count - got.size())));
            if (n <= 0)
                break;
            got.append(bytes, n);
        }
        return got;
    }

    SimProcess sim;
    QProcess& process;
    const QString path;
    int fd = -1;
};

} // namespace

class tst_SimPty : public QObject {
    Q_OBJECT

private slots:
    void symlinkLivesAsLongAsTheSimulator();
    void downloadTakesTheLineTime();
    void terminationDeliversWhatWasAlreadySent();
};

void tst_SimPty::symlinkLivesAsLongAsTheSimulator()
{
    QTemporaryDir dir;
    const QString link = dir.filePath("ttyKlingport");
    QFile stale(link);
    QVERIFY(stale.open(QIODevice::WriteOnly)); // a leftover file is replaced
    stale.close();
    {
        SimRun sim({"--link", link, "--version", "bootloader"});
        QVERIFY(sim.fd >= 0);
        QVERIFY(sim.path.startsWith("/dev/pts/"));
        QCOMPARE(QFileInfo(link).symLinkTarget(), sim.path);
        QVERIFY(sim.write("i\r"));
        const QByteArray version = Klingport::versionAnswer(device::VersionMode::BootloaderOnly);
        QCOMPARE(sim.read(version.size()), version);

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
    QVERIFY(sim.fd >= 0);
    // "U" CR and NAK in, then 48 blocks in and 48 ACKs out, then EOT.
    const double lineSeconds = (2 + 1 + 48 * (132 + 1) + 1) * 10.0 / baud;
    const QByteArray image = Klingport::factoryImage();
    QElapsedTimer clock;
    clock.start();
    QVERIFY(sim.write("U\r") && sim.write(NAK));
    for (int n = 1; n <= 48; ++n) {
        QCOMPARE(sim.read(132), xmodem::block(image, n));
        QVERIFY(sim.write(ACK));
    }
    QCOMPARE(sim.read(1), "\x04");
    const double seconds = clock.nsecsElapsed() / 1e9;
    QVERIFY(sim.write(ACK));

    qInfo("line time %.4f s, took %.4f s (%+.2f %%)", lineSeconds, seconds,
          (seconds / lineSeconds - 1) * 100);
    QVERIFY2(seconds >= lineSeconds * 0.999, "faster than the line allows");
    QVERIFY2(seconds <= lineSeconds * 1.03, "more than 3 % above the line time");
}

void tst_SimPty::terminationDeliversWhatWasAlreadySent()
{
    // At 1200 baud block 1 takes 1.1 s on the line; the simulator is told to stop long before.
    SimRun sim({"--baud", "1200"});
    QVERIFY(sim.write("U\r") && sim.write(NAK));
    QTest::qWait(150);

    sim.process.terminate();

    QCOMPARE(sim.read(133, 3000), xmodem::block(Klingport::factoryImage(), 1));
    QVERIFY(sim.process.waitForFinished(3000));
    QCOMPARE(sim.process.exitCode(), 0);
}

QTEST_GUILESS_MAIN(tst_SimPty)
#include "tst_sim_pty.moc"
