#pragma once

// The phone book half of the device image.
//
//   256 + 64(n-1)  entry record n (1 to 50), 64 bytes:
//                    0 address, 8 bytes     10 answering machine 1 ("A")   36 answering machine 2 ("A")
//                    8 door station char    11 number 1, 25 bytes          37 number 2, 25 bytes
//                    9 reserved (0x00)                                     62 reserved, 2 bytes
//   3456           zeros, 640 bytes
//   4096 + 20(n-1) name n, 20 bytes
//   5096           zeros to the end of the image

#include "Telefonbucheintrag.h"

#include <QByteArray>
#include <QByteArrayView>

// Whether an entry is read from the image's byte at `stelle`.
bool TelefonbuchbyteGelesen(qsizetype stelle);

// All 50 entries of an image; what lies past the end of a short image reads as zero bytes.
Telefonbuch TelefonbuchAusAbbild(QByteArrayView abbild);

// The image to send: the first 256 bytes of `gelesen` (zeros where it is shorter), then the phone book.
// Every cell is cut to its field, so the image is always 6144 bytes and no field moves:
// a name to 20 bytes, a number to 24 (its field keeps a closing 0x00), the door station to one digit.
QByteArray TelefonbuchInAbbild(QByteArrayView gelesen, const Telefonbuch& telefonbuch);
