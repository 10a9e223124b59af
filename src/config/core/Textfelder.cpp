#include "Textfelder.h"

namespace textfelder {

namespace {

QByteArray bisNull(QByteArrayView feld, bool mitA)
{
    QByteArray text;
    text.reserve(feld.size());
    for (const char byte : feld) {
        if (byte == '\0')
            break;
        if (byte == static_cast<char>(0xFF) || (byte == 'A' && !mitA))
            continue;
        text.append(byte);
    }
    return text;
}

} // namespace

QByteArray Cut0(QByteArrayView feld)
{
    return bisNull(feld, false);
}

QByteArray Cut0A(QByteArrayView feld)
{
    return bisNull(feld, true);
}

QByteArray Put0(QByteArrayView text, qsizetype länge)
{
    QByteArray ergebnis = text.toByteArray();
    if (ergebnis.size() < länge)
        ergebnis.append(länge - ergebnis.size(), '\0');
    return ergebnis;
}

QByteArray feldGenau(QByteArrayView text, qsizetype breite)
{
    return Put0(text.first(std::min(text.size(), breite)), breite);
}

quint8 HEXStringToLong(QStringView ziffer)
{
    if (ziffer.size() != 1)
        return 0;
    const char16_t z = ziffer[0].unicode();
    if (z >= u'0' && z <= u'9')
        return static_cast<quint8>(z - u'0');
    if (z >= u'A' && z <= u'F')
        return static_cast<quint8>(z - u'A' + 10);
    return 0;
}

QByteArrayView ausschnitt(QByteArrayView abbild, qsizetype von, qsizetype länge)
{
    if (von >= abbild.size())
        return {};
    return abbild.sliced(von, std::min(länge, abbild.size() - von));
}

} // namespace textfelder
