#pragma once

// The fixed-width text fields of the device image: decoding, padding and hexadecimal digits.

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

namespace textfelder {

// The field up to its first 0x00, without "A" and 0xFF bytes.
QByteArray Cut0(QByteArrayView feld);
// As Cut0, but "A" is kept.
QByteArray Cut0A(QByteArrayView feld);
// Pads with 0x00 to `länge`; a longer text comes back unchanged.
QByteArray Put0(QByteArrayView text, qsizetype länge);
// Pads with 0x00 or cuts, so the result is exactly `breite` bytes.
QByteArray feldGenau(QByteArrayView text, qsizetype breite);
// "0"-"9" and "A"-"F" (upper case only) give 0 to 15; any other text gives 0.
quint8 HEXStringToLong(QStringView ziffer);

// The bytes of `abbild` from `von` on, at most `länge`; empty past its end.
QByteArrayView ausschnitt(QByteArrayView abbild, qsizetype von, qsizetype länge);

} // namespace textfelder
