#pragma once

#include "SerialPort.h"

#include <QSerialPort>
#include <utility>

namespace platform {

class QtSerialPort final : public SerialPort {
    Q_OBJECT
public:
    // Waits until the driver has sent what was written to the open port: tcdrain, and on Windows
    // FlushFileBuffers, so that a USB adapter's driver does not cut the last bytes at the close.
    using Handle = decltype(std::declval<QSerialPort&>().handle()); // a file descriptor, or a HANDLE
    using Leeren = void (*)(Handle);
    static void ausgangLeeren(Handle handle);

    explicit QtSerialPort(QObject* parent = nullptr, Leeren leeren = ausgangLeeren);
    ~QtSerialPort() override;

    bool open(const QString& path) override;
    void close() override;
    bool isOpen() const override;
    bool belegt() const override { return belegt_; }
    bool write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    void clearInput() override;

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port;
    Leeren leeren;
    bool belegt_ = false;
};

} // namespace platform
