#pragma once

// The PC's half of XMODEM with the 8-bit checksum, written apart from the device so tests check one against
// the other.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace xmodem {

inline quint8 checksum(QByteArrayView data)
{
    unsigned sum = 0;
    for (char c : data)
        sum = (sum + quint8(c)) % 256;
    return quint8(sum);
}

// Block n of a transfer (n counts from 1), its data padded with SUB to 128 bytes.
inline QByteArray frame(int n, QByteArray data)
{
    data = data.leftJustified(128, '\x1A');
    QByteArray f;
    f += '\x01';
    f += char(n % 256);
    f += char(255 - n % 256);
    f += data;
    f += char(checksum(data));
    return f;
}

inline QList<QByteArray> frames(const QByteArray& data)
{
    QList<QByteArray> all;
    for (qsizetype at = 0; at < data.size(); at += 128)
        all.append(frame(int(at / 128) + 1, data.mid(at, 128)));
    return all;
}

// The 128 data bytes of a good frame for block n, or an empty array for anything else.
inline QByteArray dataOf(const QByteArray& f, int n)
{
    if (f.size() != 132 || f[0] != '\x01' || quint8(f[1]) != n % 256 || quint8(f[2]) != 255 - n % 256)
        return {};
    const QByteArray data = f.mid(3, 128);
    return checksum(data) == quint8(f[131]) ? data : QByteArray();
}

// Varied test data of n bytes; different seeds give different data.
inline QByteArray pattern(int n, int seed = 0)
{
    QByteArray bytes(n, '\0');
    for (int i = 0; i < n; ++i)
        bytes[i] = char((i * 31 + seed * 7 + i / 128) % 251);
    return bytes;
}

} // namespace xmodem
