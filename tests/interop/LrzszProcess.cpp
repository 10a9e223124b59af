#include "LrzszProcess.h"

LrzszProcess::LrzszProcess(const QString& program, const QStringList& arguments, const QString& terminal,
                           const QString& directory)
    : arguments_(arguments), program_(program)
{
    process_.setWorkingDirectory(directory);
    process_.setStandardInputFile(terminal);
    process_.setStandardOutputFile(terminal, QIODevice::Append);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(OUTPUT_FLUSH_IGNORED));
    process_.setProcessEnvironment(environment);
    starter_.setSingleShot(true);
    QObject::connect(&starter_, &QTimer::timeout, &starter_, [this] { start(); });
}

LrzszProcess::~LrzszProcess()
{
    process_.kill();
    process_.waitForFinished(5000);
}

bool LrzszProcess::finish(int limitMs)
{
    if (process_.state() != QProcess::NotRunning)
        process_.waitForFinished(limitMs);
    return started_ && process_.state() == QProcess::NotRunning &&
           process_.error() != QProcess::FailedToStart && process_.exitStatus() == QProcess::NormalExit &&
           process_.exitCode() == 0;
}

QString LrzszProcess::report()
{
    const QString how = !started_                                     ? QStringLiteral("was never started")
                        : process_.state() != QProcess::NotRunning    ? QStringLiteral("still runs")
                        : process_.error() == QProcess::FailedToStart ? QStringLiteral("did not start")
                        : process_.exitStatus() == QProcess::CrashExit
                            ? QStringLiteral("died")
                            : QStringLiteral("exited with %1").arg(process_.exitCode());
    return QStringLiteral("%1 %2: %3")
        .arg(program_, how, QString::fromLocal8Bit(process_.readAllStandardError()).trimmed());
}
