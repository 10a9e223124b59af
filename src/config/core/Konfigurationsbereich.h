#pragma once

// The configuration's place in the device image: bytes 0 to 89 of the configuration area.
//
//   0  not interpreted        15  Mithören (0 An)          64  Anrufbeantworter ("A" or blank)
//   1  Anschlussart (0 Amt)   16  PIN, 5 bytes             65  Masterumleitungsnummer, 25 bytes
//   2  LokaleRufzeit, 4 bytes 21  Masterumleitung (0-2)    90  the rest, carried over
//   6  ExterneRufzeit         22  not interpreted, 42 bytes
//  10  Türgesprächszeit
//  14  Variante (0 Tag)

#include "Konfiguration.h"

#include <QByteArray>
#include <QByteArrayView>

// What the image says; a forwarding byte other than 0 to 2 says nothing, so `bisher` stays.
// Fields past the end of a short image read as empty.
Konfiguration KonfigurationAusAbbild(QByteArrayView abbild, Masterumleitung bisher);
// Whether the configuration is read from the image's byte at `stelle`.
bool KonfigurationsbyteGelesen(qsizetype stelle);

// The image to send: `gelesen` (the image just read from the device) with the configuration's fields
// replaced. Each value is cut to its field, so the result is as long as `gelesen`; a `gelesen` shorter
// than 90 bytes gives the 90 bytes of the fields, with zeros for what it lacks.
QByteArray KonfigurationInAbbild(QByteArrayView gelesen, const Konfiguration& konfiguration);
