#pragma once

// The character set of the device image and of the program's files: one byte per character,
// Windows-1252. Every byte decodes to one character and encodes back to itself.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace windows1252 {

QString dekodieren(QByteArrayView bytes);
// Characters the code page lacks become "?", one byte per character (a surrogate pair counts as one).
QByteArray kodieren(QStringView text);
// The first character the code page lacks (a surrogate pair whole); empty when there is none.
QString fehlendesZeichen(QStringView text);

} // namespace windows1252
