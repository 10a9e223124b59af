#include "SimProcess.h"

SimProcess::SimProcess(const QStringList& arguments, bool stderrBehalten)
{
    sim.setProcessChannelMode(stderrBehalten ? QProcess::SeparateChannels : QProcess::ForwardedErrorChannel);
    sim.start(QStringLiteral(KLINGPORT_SIM), arguments);
    if (!sim.waitForStarted(5000))
        return;
    while (!sim.canReadLine() && sim.waitForReadyRead(5000)) {
    }
    const QByteArray zeile = sim.readLine().trimmed();
    if (zeile.startsWith("pty: "))
        path = QString::fromLocal8Bit(zeile.mid(5));
}

SimProcess::~SimProcess()
{
    if (sim.state() == QProcess::NotRunning)
        return;
    sim.terminate();
    if (!sim.waitForFinished(3000))
        sim.kill();
    sim.waitForFinished(1000);
}

QString SimProcess::stderrText()
{
    fehlerausgabe += QString::fromLocal8Bit(sim.readAllStandardError());
    return fehlerausgabe;
}
