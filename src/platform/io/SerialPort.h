#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace platform {

// The serial line to the device: 19200 baud, 8 data bits, no parity, one stop bit.
class SerialPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Opens the device path; false when it is missing, taken or not permitted.
    virtual bool open(const QString& path) = 0;
    // Whether the last open failed because another program holds the port.
    virtual bool belegt() const { return false; }
    // Closes after everything written has left; nothing written is thrown away.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Queues the bytes in one write; false when the port is not open or the write failed.
    virtual bool write(const QByteArray& bytes) = 0;
    virtual QByteArray readAll() = 0;
    // Throws away everything received and not yet read.
    virtual void clearInput() = 0;

signals:
    void readyRead();
    // The port broke while open (unplugged, line hung up, I/O error).
    void failed();
};

} // namespace platform
