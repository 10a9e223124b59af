// klingport-ptyline, the cable the interoperation tests and the benchmark run over.

#include "PtyLineProcess.h"
#include "Xmodem.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {

// One end of the cable opened as a client would; what arrives is kept with the time of its last byte.
struct CableEnd : QSerialPort {
    CableEnd(const QString& path, const QElapsedTimer& clock) : QSerialPort(path)
    {
        connect(this, &QSerialPort::readyRead, this, [this, &clock] {
            received += readAll();
            lastArrivalMs = clock.elapsed();
        });
    }
    QByteArray received;
    qint64 lastArrivalMs = -1;
};

} // namespace

class tst_InteropPtyLine : public QObject {
    Q_OBJECT
private slots:
    void carriesBothWaysAtPace_data();
    void carriesBothWaysAtPace();
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
    QElapsedTimer clock;
    CableEnd a(linkA, clock), b(linkB, clock);
    QVERIFY(a.open(QIODevice::ReadWrite) && b.open(QIODevice::ReadWrite));
    const QByteArray vonA = xmodem::pattern(bytes, 1), vonB = xmodem::pattern(bytes, 2);

    const qint64 lineMs = baud ? qint64(bytes) * 10000 / baud : 0;
    clock.start();
    a.write(vonA);
    b.write(vonB);
    if (signal) {
        QTest::qWait(300);
        QVERIFY(b.received.size() < bytes / 3);
        ::kill(pid_t(cable.process().processId()), signal);
    }
    QTRY_VERIFY_WITH_TIMEOUT(a.received.size() >= bytes && b.received.size() >= bytes,
                             int(lineMs * 3 + 5000));
    QCOMPARE(b.received, vonA);
    QCOMPARE(a.received, vonB);
    const QByteArray counted = QByteArray::number(bytes);
    QCOMPARE(cable.stop(), "klingport-ptyline: a->b " + counted + " bytes, b->a " + counted + " bytes\n");
    QCOMPARE(cable.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(cable.process().exitCode(), 0);
    QVERIFY(!QFileInfo(linkA).isSymLink() && !QFileInfo(linkB).isSymLink());
    // The directions run side by side: both finish in about one line time, not two. A signal ends the pacing.
    for (const CableEnd* end : {&a, &b})
        QVERIFY2(!baud || signal ||
                     (end->lastArrivalMs >= lineMs - 2 && end->lastArrivalMs <= lineMs * 3 / 2 + 100),
                 qPrintable(QString::number(end->lastArrivalMs)));
}

QTEST_MAIN(tst_InteropPtyLine)
#include "tst_interop_ptyline.moc"
