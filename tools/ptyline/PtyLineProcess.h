#pragma once

#include <QProcess>
#include <QStringList>
#include <csignal>

// Runs klingport-ptyline for a test or a benchmark and tells where the cable's two ends are.
class PtyLineProcess {
public:
    // Starts the cable with the given options; a() and b() are empty when it did not come up.
    explicit PtyLineProcess(const QStringList& arguments = {});
    // Ends the cable as stop() does, if it still runs.
    ~PtyLineProcess();

    QString a() const { return a_; }
    QString b() const { return b_; }
    QProcess& process() { return process_; }

    // Sends `signal`, waits for the exit and returns everything the cable wrote to stderr.
    QByteArray stop(int signal = SIGTERM);

    static QString executable();

private:
    QProcess process_;
    QString a_;
    QString b_;
};
