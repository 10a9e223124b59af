#pragma once

// Test data, and XMODEM block frames with the 8-bit checksum written apart from the program and the device.

#include <QByteArray>

namespace xmodem {

// Varied data of n bytes, control characters included; different seeds give different data.
inline QByteArray pattern(int n, int seed = 0)
{
    QByteArray bytes(n, '\0');
    for (int i = 0; i < n; ++i)
        bytes[i] = char((i * 31 + seed * 7 + i / 128) % 251);
    return bytes;
}

// The frame of block n (counting from 1), its data padded with SUB to 128 bytes.
inline QByteArray frame(int n, QByteArray data)
{
    data = data.leftJustified(128, '\x1A');
    quint8 sum = 0;
    for (char c : data)
        sum += quint8(c);
    return char(1) + QByteArray(1, char(n)) + char(255 - n % 256) + data + char(sum);
}

// The frame of block n of `data`.
inline QByteArray block(const QByteArray& data, int n)
{
    return frame(n, data.mid((n - 1) * 128, 128));
}

} // namespace xmodem
