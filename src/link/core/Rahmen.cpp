#include "Rahmen.h"

namespace kommunikation {

namespace Anfrage {

QByteArray FirmwareInit(bool nurBootlader)
{
    return nurBootlader ? QByteArray("s") : QByteArray("s\r");
}
QByteArray BustreiberInit()
{
    return "p\r";
}
QByteArray KonfigurationSendenInit()
{
    return "D\r";
}
QByteArray KonfigurationLadenInit()
{
    return "U\r";
}
QByteArray FirmwareAuslesen()
{
    return "i\r";
}

QByteArray RuftastenInformation(int a, int b)
{
    QByteArray eintrag = QByteArray::number(a);
    if (eintrag.size() == 1)
        eintrag.prepend('0');
    return "z" + QByteArray::number(b) + eintrag + "\r";
}

QByteArray LoggenEin()
{
    return "t\r";
}
QByteArray LoggenAus()
{
    return "n\r";
}
QByteArray BootladerResetten()
{
    return "r";
}
QByteArray Abbruch()
{
    return QByteArray(3, Zeichen::CAN);
}

} // namespace Anfrage

quint8 csum(QByteArrayView daten)
{
    quint8 summe = 0;
    for (qsizetype i = 0; i < daten.size() && i < Blockgröße; ++i)
        summe += static_cast<quint8>(daten[i]);
    return summe;
}

QByteArray Blockdaten(QByteArrayView daten, qsizetype index)
{
    const qsizetype anfang = (index - 1) * Blockgröße;
    if (index < 1 || anfang >= daten.size())
        return {};
    QByteArray block = daten.sliced(anfang, qMin<qsizetype>(Blockgröße, daten.size() - anfang)).toByteArray();
    block.append(Blockgröße - block.size(), Zeichen::SUB);
    return block;
}

QByteArray Blockrahmen(quint8 nummer, QByteArrayView daten128)
{
    QByteArray rahmen;
    rahmen.reserve(Rahmengröße);
    rahmen.append(Zeichen::SOH);
    rahmen.append(static_cast<char>(nummer));
    rahmen.append(static_cast<char>(255 - nummer));
    rahmen.append(daten128.first(qMin<qsizetype>(daten128.size(), Blockgröße)));
    rahmen.append(static_cast<char>(csum(daten128)));
    return rahmen;
}

bool RahmenGültig(QByteArrayView rahmen, quint8 nummer)
{
    if (rahmen.size() != Rahmengröße)
        return false;
    const auto byte = [&](qsizetype i) { return static_cast<quint8>(rahmen[i]); };
    return rahmen[0] == Zeichen::SOH && byte(1) == nummer && byte(2) == 255 - nummer &&
           byte(Rahmengröße - 1) == csum(rahmen.sliced(3, Blockgröße));
}

} // namespace kommunikation
