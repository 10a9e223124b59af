#include "Windows1252.h"

#include <array>

namespace windows1252 {

namespace {

// 0x80 to 0x9F; the five unassigned codes stand for the C1 control of the same number, as on Windows.
constexpr std::array<char16_t, 32> Mittelteil = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char byteFür(char16_t zeichen)
{
    if (zeichen < 0x80 || (zeichen >= 0xA0 && zeichen <= 0xFF))
        return static_cast<char>(zeichen);
    for (std::size_t i = 0; i < Mittelteil.size(); ++i)
        if (Mittelteil[i] == zeichen)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

QString dekodieren(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* ziel = text.data();
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        *ziel++ = QChar(code >= 0x80 && code < 0xA0 ? Mittelteil[code - 0x80] : char16_t(code));
    }
    return text;
}

QByteArray kodieren(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar zeichen = text[i];
        if (zeichen.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            bytes.append('?');
            ++i;
            continue;
        }
        bytes.append(byteFür(zeichen.unicode()));
    }
    return bytes;
}

QString fehlendesZeichen(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            return text.mid(i, 2).toString();
        if (text[i] != u'?' && byteFür(text[i].unicode()) == '?')
            return QString(text[i]);
    }
    return {};
}

} // namespace windows1252
