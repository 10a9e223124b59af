#include "QtSerialPort.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QFile>
#include <termios.h>
#include <unistd.h>
#endif

namespace platform {

void QtSerialPort::ausgangLeeren(Handle handle)
{
#ifdef Q_OS_WIN
    ::FlushFileBuffers(handle);
#else
    ::tcdrain(handle);
#endif
}

QtSerialPort::QtSerialPort(QObject* parent, Leeren leeren) : SerialPort(parent), leeren(leeren)
{
    connect(&port, &QSerialPort::readyRead, this, &SerialPort::readyRead);
    connect(&port, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

QtSerialPort::~QtSerialPort()
{
    close();
}

bool QtSerialPort::open(const QString& path)
{
    close();
    if (path.isEmpty())
        return false;
    belegt_ = false;
#ifndef Q_OS_WIN
    // A pulled USB adapter's device is gone; asking the file system is cheaper than an open.
    const QString gerät = path.startsWith(u'/') ? path : QStringLiteral("/dev/") + path;
    if (!QFile::exists(gerät))
        return false;
#endif
    port.setPortName(path);
    if (!port.open(QIODevice::ReadWrite)) {
        // Qt tells a port another program holds (its lock, or Windows' exclusive open) and one the
        // user may not use by the same error; only the second is refused by the file's permissions.
#ifdef Q_OS_WIN
        belegt_ = port.error() == QSerialPort::PermissionError;
#else
        belegt_ = port.error() == QSerialPort::PermissionError &&
                  ::access(QFile::encodeName(gerät).constData(), R_OK | W_OK) == 0;
#endif
        return false;
    }
    const bool eingestellt = port.setBaudRate(QSerialPort::Baud19200) &&
                             port.setDataBits(QSerialPort::Data8) && port.setParity(QSerialPort::NoParity) &&
                             port.setStopBits(QSerialPort::OneStop) &&
                             port.setFlowControl(QSerialPort::NoFlowControl);
    if (!eingestellt) {
        port.close();
        return false;
    }
    return true;
}

void QtSerialPort::close()
{
    if (!port.isOpen())
        return;
    // Let what was written leave the line before the port goes: the device may still be
    // waiting for the last byte (an ACK for its EOT, say).
    while (port.bytesToWrite() > 0 && port.waitForBytesWritten(1000)) {
    }
    if (port.error() == QSerialPort::NoError)
        leeren(port.handle());
    port.close();
}

bool QtSerialPort::isOpen() const
{
    return port.isOpen();
}

bool QtSerialPort::write(const QByteArray& bytes)
{
    if (!port.isOpen() || port.write(bytes) != bytes.size())
        return false;
    // Hand the bytes to the driver now instead of on the next pass of the event loop.
    port.flush();
    return true;
}

QByteArray QtSerialPort::readAll()
{
    return port.readAll();
}

void QtSerialPort::clearInput()
{
    if (!port.isOpen())
        return;
    port.clear(QSerialPort::Input);
    port.readAll();
}

void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::UnknownError:
        if (port.isOpen()) {
            port.close();
            emit failed();
        }
        break;
    default:
        break;
    }
}

} // namespace platform
