#pragma once

// Runs klingport-sim on a pseudo-terminal for a test and tells where its line is.

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class SimProcess {
public:
    // Starts the simulator with the given options; ptyPath() is empty when it did not come up.
    // Its stderr goes to the caller's, or is kept for stderrText() (with "--verbose": what it did).
    explicit SimProcess(const QStringList& arguments = {}, bool stderrBehalten = false);
    ~SimProcess();

    QString ptyPath() const { return path; }
    QString dir() const { return temp.path(); }
    QProcess& process() { return sim; }
    // What the simulator wrote to stderr so far, when it was kept.
    QString stderrText();

private:
    QTemporaryDir temp;
    QProcess sim;
    QString path;
    QString fehlerausgabe;
};
