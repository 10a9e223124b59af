#include "PtyLineProcess.h"

#include <csignal>

namespace {

constexpr int StartLimitMs = 5000;
constexpr int StopLimitMs = 5000;

} // namespace

PtyLineProcess::PtyLineProcess(const QStringList& arguments)
{
    process_.start(executable(), arguments);
    if (!process_.waitForStarted(StartLimitMs))
        return;
    QString a;
    QString b;
    while (b.isEmpty()) {
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(StartLimitMs))
                return;
        const QString line = QString::fromLocal8Bit(process_.readLine()).trimmed();
        if (line.startsWith(QLatin1String("a: ")))
            a = line.mid(3);
        else if (line.startsWith(QLatin1String("b: ")))
            b = line.mid(3);
    }
    a_ = a;
    b_ = b;
}

PtyLineProcess::~PtyLineProcess()
{
    stop();
}

QByteArray PtyLineProcess::stop(int signal)
{
    if (process_.state() != QProcess::NotRunning) {
        ::kill(pid_t(process_.processId()), signal);
        if (!process_.waitForFinished(StopLimitMs)) {
            process_.kill();
            process_.waitForFinished(StopLimitMs);
        }
    }
    return process_.readAllStandardError();
}

QString PtyLineProcess::executable()
{
    return QStringLiteral(KLINGPORT_PTYLINE);
}
