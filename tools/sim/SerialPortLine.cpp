#include "SerialPortLine.h"

#include <QDeadlineTimer>
#include <termios.h>

namespace sim {

SerialPortLine::SerialPortLine(QObject* parent) : Line(parent)
{
    connect(&port_, &QSerialPort::readyRead, this, [this] { emit received(port_.readAll()); });
    connect(&port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        if (error == QSerialPort::ResourceError)
            emit failed(port_.errorString());
    });
}

bool SerialPortLine::open(const QString& device, int baud, QString& error)
{
    port_.setPortName(device);
    if (!port_.open(QIODevice::ReadWrite) || !port_.setBaudRate(baud) ||
        !port_.setDataBits(QSerialPort::Data8) || !port_.setParity(QSerialPort::NoParity) ||
        !port_.setStopBits(QSerialPort::OneStop) || !port_.setFlowControl(QSerialPort::NoFlowControl)) {
        error = QStringLiteral("%1: %2").arg(device, port_.errorString());
        port_.close();
        return false;
    }
    return true;
}

void SerialPortLine::write(const QByteArray& bytes)
{
    if (port_.isOpen())
        port_.write(bytes);
}

void SerialPortLine::drain(std::chrono::milliseconds limit)
{
    if (!port_.isOpen())
        return;
    const QDeadlineTimer deadline(limit);
    while (port_.bytesToWrite() > 0 && !deadline.hasExpired())
        port_.waitForBytesWritten(int(deadline.remainingTime()));
    ::tcdrain(int(port_.handle()));
}

void SerialPortLine::close()
{
    port_.close();
}

} // namespace sim
