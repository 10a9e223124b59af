#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

// lrzsz's rx or sx on a terminal, with OutputFlushIgnored preloaded into the child only.
class LrzszProcess {
public:
    // `program` is "rx" or "sx"; file names in `arguments` are taken relative to `directory`.
    LrzszProcess(const QString& program, const QStringList& arguments, const QString& terminal,
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
    // Kills the program if it still runs.
    ~LrzszProcess()
    {
        process_.kill();
        process_.waitForFinished(5000);
    }

    void start()
    {
        started_ = true;
        process_.start(QStandardPaths::findExecutable(program_), arguments_);
    }
    // Starts it `ms` from now, from the event loop, e.g. inside a blocking link operation.
    void startAfter(int ms) { starter_.start(ms); }
    // Waits up to `limitMs` for the exit; true when it started and exited normally with status 0.
    bool finish(int limitMs)
    {
        if (process_.state() != QProcess::NotRunning)
            process_.waitForFinished(limitMs);
        return started_ && process_.state() == QProcess::NotRunning &&
               process_.error() != QProcess::FailedToStart && process_.exitStatus() == QProcess::NormalExit &&
               process_.exitCode() == 0;
    }
    // How it ended and what it wrote to stderr, for failure messages.
    QString report()
    {
        const QString how = !started_                                  ? QStringLiteral("was never started")
                            : process_.state() != QProcess::NotRunning ? QStringLiteral("still runs")
                            : process_.error() == QProcess::FailedToStart ? QStringLiteral("did not start")
                            : process_.exitStatus() == QProcess::CrashExit
                                ? QStringLiteral("died")
                                : QStringLiteral("exited with %1").arg(process_.exitCode());
        return QStringLiteral("%1 %2: %3")
            .arg(program_, how, QString::fromLocal8Bit(process_.readAllStandardError()).trimmed());
    }

private:
    QProcess process_;
    QStringList arguments_;
    QString program_;
    QTimer starter_;
    bool started_ = false;
};
