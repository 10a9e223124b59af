#pragma once

#include "Line.h"

#include <QSerialPort>

namespace sim {

// A real serial port, 8N1 without flow control; the port's own clock paces the bytes.
class SerialPortLine : public Line {
    Q_OBJECT
public:
    explicit SerialPortLine(QObject* parent = nullptr);

    bool open(const QString& device, int baud, QString& error);

    void write(const QByteArray& bytes) override;
    void drain(std::chrono::milliseconds limit) override;
    void close() override;

private:
    QSerialPort port_;
};

} // namespace sim
