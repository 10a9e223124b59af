#include "RecordingSerialPort.h"

RecordingSerialPort::RecordingSerialPort(platform::SerialPort& inner, std::function<qint64()> nowNs,
                                         QObject* parent)
    : platform::SerialPort(parent), inner(inner), nowNs(std::move(nowNs))
{
    connect(&inner, &platform::SerialPort::readyRead, this, &platform::SerialPort::readyRead);
    connect(&inner, &platform::SerialPort::failed, this, &platform::SerialPort::failed);
}

bool RecordingSerialPort::write(const QByteArray& bytes)
{
    const qint64 at = nowNs();
    const bool written = inner.write(bytes);
    if (written)
        passages_.append({at, true, bytes.size()});
    return written;
}

QByteArray RecordingSerialPort::readAll()
{
    QByteArray bytes = inner.readAll();
    if (!bytes.isEmpty())
        passages_.append({nowNs(), false, bytes.size()});
    return bytes;
}

void RecordingSerialPort::clearInput()
{
    // Bytes thrown away crossed the wire all the same; only those still in the driver go uncounted.
    readAll();
    inner.clearInput();
}
