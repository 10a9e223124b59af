#pragma once

// The bytes between the program and the Klingport: control characters, request commands
// and the 132-byte XMODEM block frame with its 8-bit checksum.

#include <QByteArray>
#include <QByteArrayView>

namespace kommunikation {

namespace Zeichen {
constexpr char SOH = 0x01;
constexpr char EOT = 0x04;
constexpr char ACK = 0x06;
constexpr char CR = 0x0D;
constexpr char LF = 0x0A;
constexpr char NAK = 0x15;
constexpr char CAN = 0x18;
constexpr char SUB = 0x1A;
} // namespace Zeichen

constexpr int Blockgröße = 128;
constexpr int Rahmengröße = Blockgröße + 4;
constexpr int Abbildgröße = 6144; // the device image: 48 blocks
constexpr int AbbildBlöcke = Abbildgröße / Blockgröße;

namespace Anfrage {
QByteArray FirmwareInit(bool nurBootlader);    // "s" CR, or the bare "s" a bootloader expects
QByteArray BustreiberInit();                   // "p" CR
QByteArray KonfigurationSendenInit();          // "D" CR
QByteArray KonfigurationLadenInit();           // "U" CR
QByteArray FirmwareAuslesen();                 // "i" CR
QByteArray RuftastenInformation(int a, int b); // "z", b, a padded to two digits, CR
QByteArray LoggenEin();                        // "t" CR
QByteArray LoggenAus();                        // "n" CR
QByteArray BootladerResetten();                // "r"
QByteArray Abbruch();                          // CAN three times
} // namespace Anfrage

// Sum of the first 128 bytes modulo 256.
quint8 csum(QByteArrayView daten);

// The data of block `index` (1-based) of `daten`: 128 bytes, the last block padded with SUB.
// Empty when the block lies past the end.
QByteArray Blockdaten(QByteArrayView daten, qsizetype index);

// SOH, number, its complement, 128 data bytes, checksum.
QByteArray Blockrahmen(quint8 nummer, QByteArrayView daten128);

// True when `rahmen` is a whole frame of block `nummer` with a correct complement and checksum.
bool RahmenGültig(QByteArrayView rahmen, quint8 nummer);

} // namespace kommunikation
