#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

// lrzsz's rx or sx on a terminal, with OutputFlushIgnored preloaded into the child only.
class LrzszProcess {
public:
    // `program` is "rx" or "sx"; file names in `arguments` are taken relative to `directory`.
    LrzszProcess(const QString& program, const QStringList& arguments, const QString& terminal,
                 const QString& directory);
    ~LrzszProcess(); // kills the program if it still runs

    void start()
    {
        started_ = true;
        process_.start(QStandardPaths::findExecutable(program_), arguments_);
    }
    // Starts it `ms` from now, from the event loop, e.g. inside a blocking link operation.
    void startAfter(int ms) { starter_.start(ms); }
    // Waits up to `limitMs` for the exit; true when it started and exited normally with status 0.
    bool finish(int limitMs);
    // How it ended and what it wrote to stderr, for failure messages.
    QString report();

private:
    QProcess process_;
    QStringList arguments_;
    QString program_;
    QTimer starter_;
    bool started_ = false;
};
