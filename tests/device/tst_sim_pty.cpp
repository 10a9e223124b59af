// The real klingport-sim, talked to over its pseudo-terminal the way a PC's serial port would: what only its
// process shows. Images and firmware kept in files, and the dropped line, are shown through the program
// (tst_geraet, tst_cli, tst_link_serial); the exact pacing by tst_sim_parts, the line time by the benchmark.

#include "Klingport.h"
#include "SimProcess.h"
#include "Xmodem.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Reads until `count` bytes, the line's end, or the time is up.
QByteArray lesen(QSerialPort& port, qsizetype count, int ms)
{
    QByteArray got;
    QElapsedTimer clock;
    clock.start();
    for (qint64 left = ms; got.size() < count && left > 0; left = ms - clock.elapsed()) {
        if (port.bytesAvailable() == 0 && !port.waitForReadyRead(int(left)))
            break;
        got += port.read(count - got.size());
    }
    return got;
}

} // namespace

class tst_SimPty : public QObject {
    Q_OBJECT

private slots:
    void pacedUntilTerminatedThenDeliversWhatWasSent();
};

void tst_SimPty::pacedUntilTerminatedThenDeliversWhatWasSent()
{
    QTemporaryDir dir;
    const QString link = dir.filePath("ttyKlingport");
    QVERIFY(QFile(link).open(QIODevice::WriteOnly)); // a leftover file is replaced
    {
        // At 1200 baud block 1 takes 1.1 s on the line; the simulator is told to stop long before.
        SimProcess sim({"--link", link, "--baud", "1200"});
        QCOMPARE(QFileInfo(link).symLinkTarget(), sim.ptyPath());
        QSerialPort port(link);
        QVERIFY(port.open(QIODevice::ReadWrite));
        QVERIFY(port.write("U\r\x15") == 3 && port.waitForBytesWritten(1000));
        QByteArray block = lesen(port, 133, 150);
        QVERIFY2(block.size() < 30, "not paced: a line at 1200 baud carries 18 bytes in 150 ms");

        sim.process().terminate();

        block += lesen(port, 133 - block.size(), 3000);
        QCOMPARE(block, xmodem::block(device::Klingport::factoryImage(), 1));
        QVERIFY(sim.process().waitForFinished(3000));
        QCOMPARE(sim.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.process().exitCode(), 0);
    }
    QVERIFY(!QFileInfo(link).exists() && !QFileInfo(link).isSymLink());
}

QTEST_GUILESS_MAIN(tst_SimPty)
#include "tst_sim_pty.moc"
