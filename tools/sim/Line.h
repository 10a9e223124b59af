#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <chrono>

namespace sim {

// The simulator's end of the line to the PC: a pseudo-terminal or a serial port.
class Line : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void write(const QByteArray& bytes) = 0;
    // Waits, up to `limit`, until everything written has reached the PC; never throws it away.
    virtual void drain(std::chrono::milliseconds limit) = 0;
    // Ends the line, so the PC's port sees it vanish where the kind of line allows.
    virtual void close() = 0;

signals:
    void received(const QByteArray& bytes);
    void failed(const QString& why);
};

} // namespace sim
