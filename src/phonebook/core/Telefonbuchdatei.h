#pragma once

// The phone book as a text table: the ".kpb" file and the printout. A title, a header line and one
// TAB-separated, blank-padded line per entry, with a rule before every tenth entry.

#include "Telefonbucheintrag.h"

#include <QByteArray>
#include <QByteArrayView>
#include <variant>

// The table's 62 lines, each ending with CR LF. A cell wider than its column makes its line longer.
QString TelefonbuchAlsText(const Telefonbuch& telefonbuch);

// The bytes of a ".kpb" file: the text in Windows-1252 and one more CR LF.
QByteArray TelefonbuchDateiinhalt(const Telefonbuch& telefonbuch);

// Why a phone book's file was refused: the line (counted from 1), what is wrong with it, and for a
// table the column.
struct Telefonbuchfehler {
    int zeile = 0;
    QString grund;
    QString spalte = {};
    // "Zeile 12: …", "Zeile 12, Spalte "Türstation": …"
    QString text() const;
    // What the user is told of the file, named by its path.
    QString meldung(const QString& datei) const;
};

// The whole phone book of a ".kpb" file, or why it is not one. Every entry line is checked before
// anything is taken, so a refused file gives nothing; the index numbers of the lines are not read.
std::variant<Telefonbuch, Telefonbuchfehler> TelefonbuchAusDatei(QByteArrayView datei);
