#pragma once

// Runs klingport-sim on a pseudo-terminal for a test and tells where its line is.

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class SimProcess {
public:
    // Starts the simulator with the given options; ptyPath() is empty when it did not come up.
    explicit SimProcess(const QStringList& arguments = {});
    ~SimProcess();

    QString ptyPath() const { return path; }
    QString dir() const { return temp.path(); }
    QProcess& process() { return sim; }

private:
    QTemporaryDir temp;
    QProcess sim;
    QString path;
};
