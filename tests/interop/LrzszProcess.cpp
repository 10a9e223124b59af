#include "LrzszProcess.h"

#include <QProcessEnvironment>
#include <QStandardPaths>

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
    starter_.stop();
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

void LrzszProcess::start()
{
    started_ = true;
    process_.start(executable(program_), arguments_);
}

void LrzszProcess::startAfter(int ms)
{
    starter_.start(ms);
}

bool LrzszProcess::finish(int limitMs)
{
    if (!started_)
        return false;
    const bool exited = process_.state() == QProcess::NotRunning || process_.waitForFinished(limitMs);
    messages_ += process_.readAllStandardError();
    return exited && process_.error() != QProcess::FailedToStart &&
           process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}

QString LrzszProcess::report() const
{
    QString how;
    if (!started_)
        how = QStringLiteral("was never started");
    else if (process_.error() == QProcess::FailedToStart)
        how = QStringLiteral("did not start");
    else if (process_.state() != QProcess::NotRunning)
        how = QStringLiteral("still runs");
    else if (process_.exitStatus() == QProcess::CrashExit)
        how = QStringLiteral("died");
    else
        how = QStringLiteral("exited with %1").arg(process_.exitCode());
    return QStringLiteral("%1 %2: %3").arg(program_, how, QString::fromLocal8Bit(messages_).trimmed());
}

QString LrzszProcess::executable(const QString& program)
{
    return QStandardPaths::findExecutable(program);
}
