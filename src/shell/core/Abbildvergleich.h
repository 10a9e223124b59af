#pragma once

// What differs between two device images, field by field as the window shows them: what a store
// would change, or what a backup or a file holds that the device does not.

#include "Konfiguration.h"
#include "Telefonbucheintrag.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The field of the bytes the window does not show.
inline const QString ÜbrigeBytes = QStringLiteral("Übrige Bytes");

struct Unterschied {
    QString feld;    // the window's caption: "PIN", "Eintrag 12: Teilnehmer", "Übrige Bytes"
    QString vorher;  // as the first image shows it
    QString nachher; // as the second image shows it

    bool operator==(const Unterschied&) const = default;
};

// The configuration's fields in the tab's order, then the entries 1 to 50 in the grid's columns
// ("Tastercode" follows "Adresse" and is not listed), then the bytes the window does not show, as one
// row "Übrige Bytes" that names how many differ and the first of them. Nothing for equal images.
QList<Unterschied> AbbilderVergleichen(const QByteArray& vorher, const QByteArray& nachher);

// The image a store of the window's configuration and phone book would send: the device's image with
// both put in.
QByteArray AbbildMitFenster(const QByteArray& gerät, const Konfiguration& konfiguration,
                            const Telefonbuch& telefonbuch);

// "1 Unterschied", "3 Unterschiede".
QString UnterschiedeZählen(qsizetype anzahl);
