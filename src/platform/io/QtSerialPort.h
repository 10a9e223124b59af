#pragma once

#include "SerialPort.h"

#include <QSerialPort>

namespace platform {

class QtSerialPort final : public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QObject* parent = nullptr);
    ~QtSerialPort() override;

    bool open(const QString& path) override;
    void close() override;
    bool isOpen() const override;
    bool write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    void clearInput() override;

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port;
};

} // namespace platform
