// klingport-ptyline, the cable the interoperation tests and the benchmark run over.

#include "PtyLineProcess.h"
#include "Xmodem.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// One end of the cable opened as a client would, without blocking.
struct CableEnd {
    explicit CableEnd(const QString& path)
        : fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
    }
    ~CableEnd() { ::close(fd); }
    int fd;
    QByteArray toSend;
    qsizetype sent = 0;
    QByteArray received;
    qint64 lastArrivalMs = -1;
};

// Writes each end's `toSend` and reads what arrives, until each has `expected` bytes or time is up.
void exchange(CableEnd& a, CableEnd& b, qsizetype expected, const QElapsedTimer& clock, qint64 limitMs)
{
    CableEnd* ends[] = {&a, &b};
    while (clock.elapsed() < limitMs && (a.received.size() < expected || b.received.size() < expected)) {
        pollfd watched[2];
        for (int i = 0; i < 2; ++i)
            watched[i] = {ends[i]->fd, short(POLLIN | (ends[i]->sent < ends[i]->toSend.size() ? POLLOUT : 0)),
                          0};
        if (::poll(watched, 2, 20) <= 0)
            continue;
        for (int i = 0; i < 2; ++i) {
            CableEnd& end = *ends[i];
            char buffer[4096];
            ssize_t n;
            if ((watched[i].revents & POLLOUT) &&
                (n = ::write(end.fd, end.toSend.constData() + end.sent,
                             size_t(std::min<qsizetype>(4096, end.toSend.size() - end.sent)))) > 0)
                end.sent += n;
            if ((watched[i].revents & POLLIN) && (n = ::read(end.fd, buffer, sizeof buffer)) > 0) {
                end.received.append(buffer, n);
                end.lastArrivalMs = clock.elapsed();
            }
        }
    }
}

} // namespace

class tst_InteropPtyLine : public QObject {
    Q_OBJECT
private slots:
    void carriesBothWaysAtPace_data();
    void carriesBothWaysAtPace();
    void byteArrivesOnlyWhenWhole();
};

void tst_InteropPtyLine::carriesBothWaysAtPace_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("bytes");  // each way, at the same time
    QTest::addColumn<int>("signal"); // sent at 300 ms, most bytes still on their way; 0: none
    QTest::newRow("unpaced") << 0 << 200000 << 0;
    QTest::newRow("19200 baud") << 19200 << 1920 << 0;
    QTest::newRow("115200 baud") << 115200 << 23040 << 0;
    QTest::newRow("1200 baud, SIGTERM loses nothing") << 1200 << 300 << int(SIGTERM);
    QTest::newRow("1200 baud, SIGINT loses nothing") << 1200 << 300 << int(SIGINT);
}

void tst_InteropPtyLine::carriesBothWaysAtPace()
{
    QFETCH(int, baud);
    QFETCH(int, bytes);
    QFETCH(int, signal);
    QTemporaryDir dir;
    const QString linkA = dir.filePath("com1"), linkB = dir.filePath("peer");
    PtyLineProcess cable({"--baud", QString::number(baud), "--link-a", linkA, "--link-b", linkB});
    QCOMPARE(QFileInfo(linkA).symLinkTarget(), cable.a());
    QCOMPARE(QFileInfo(linkB).symLinkTarget(), cable.b());
    CableEnd a(linkA), b(linkB);
    QVERIFY(a.fd >= 0 && b.fd >= 0);
    a.toSend = xmodem::pattern(bytes, 1);
    b.toSend = xmodem::pattern(bytes, 2);

    const qint64 lineMs = baud ? qint64(bytes) * 10000 / baud : 0;
    QElapsedTimer clock;
    clock.start();
    if (signal) {
        exchange(a, b, bytes, clock, 300);
        QVERIFY(b.received.size() < bytes / 3);
        ::kill(pid_t(cable.process().processId()), signal);
    }
    exchange(a, b, bytes, clock, lineMs * 3 + 5000);
    QCOMPARE(b.received, a.toSend);
    QCOMPARE(a.received, b.toSend);
    const QByteArray counted = QByteArray::number(bytes);
    QCOMPARE(cable.stop(), "klingport-ptyline: a->b " + counted + " bytes, b->a " + counted + " bytes\n");
    QCOMPARE(cable.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(cable.process().exitCode(), 0);
    QVERIFY(!QFileInfo(linkA).isSymLink() && !QFileInfo(linkB).isSymLink());
    // The directions run side by side: both finish in about one line time, not two. A signal ends the pacing.
    for (const CableEnd* end : {&a, &b}) {
        QVERIFY2(!baud || signal || end->lastArrivalMs >= lineMs - 2,
                 qPrintable(QString::number(end->lastArrivalMs)));
        QVERIFY2(!baud || signal || end->lastArrivalMs <= lineMs * 3 / 2 + 100,
                 qPrintable(QString::number(end->lastArrivalMs)));
    }
}

void tst_InteropPtyLine::byteArrivesOnlyWhenWhole()
{
    // XMODEM peers flush their input just after answering: a reply must not come sooner than on a line.
    PtyLineProcess cable({"--baud", "19200"});
    CableEnd a(cable.a()), b(cable.b());
    QVERIFY(a.fd >= 0 && b.fd >= 0);
    constexpr qint64 ByteNs = 10'000'000'000 / 19200;
    QList<qint64> latencies;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(::write(a.fd, "\x06", 1), ssize_t(1));
        pollfd watched{b.fd, POLLIN, 0};
        QCOMPARE(::poll(&watched, 1, 1000), 1);
        latencies.append(clock.nsecsElapsed());
        char byte = 0;
        QCOMPARE(::read(b.fd, &byte, 1), ssize_t(1));
        QCOMPARE(byte, '\x06');
    }
    std::sort(latencies.begin(), latencies.end());
    QVERIFY2(latencies.first() >= ByteNs, qPrintable(QString::number(latencies.first())));
    QVERIFY2(latencies[latencies.size() / 2] < 10 * ByteNs, qPrintable(QString::number(latencies[10])));
}

QTEST_MAIN(tst_InteropPtyLine)
#include "tst_interop_ptyline.moc"
