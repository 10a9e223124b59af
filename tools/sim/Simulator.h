#pragma once

#include "DeviceFiles.h"
#include "Klingport.h"
#include "Line.h"
#include "LinePacer.h"
#include "OutputSchedule.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace sim {

// Puts the device core on a line: stamps what arrives with its paced arrival time, writes what
// the device sends when the paced line would have carried it, and runs the device's deadlines.
class Simulator : public QObject {
    Q_OBJECT
public:
    // `baud` paces both directions; 0 leaves the pacing to the line.
    Simulator(device::Options options, int baud, bool verbose, Line& line, const DeviceFiles& files,
              QObject* parent = nullptr);

    // Sends what is still queued, waits for the PC to read it, and closes the line.
    void shutDown();
    // Writes a line to stderr when verbose.
    void log(const QString& text) const;

signals:
    // The simulator has nothing more to do, e.g. after the line was dropped.
    void finished(int exitCode);

private:
    void onReceived(const QByteArray& bytes);
    void onDeviceDeadline();
    void writeDue();
    void collect(qint64 when);
    void handle(const device::Event& event);
    void armTimers();
    void closeDroppedLine();
    qint64 now() const { return clock_.nsecsElapsed(); }

    device::Klingport device_;
    Line& line_;
    const DeviceFiles& files_;
    bool verbose_;
    LinePacer inbound_;
    OutputSchedule outbound_;
    QElapsedTimer clock_;
    QTimer deviceTimer_;
    QTimer outputTimer_;
    bool dropping_ = false; // the device dropped the line; close it once its last bytes are out
    bool lineClosed_ = false;
};

} // namespace sim
