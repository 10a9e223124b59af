#pragma once

// The phone book as a spreadsheet's table, a ".csv" file: a header line of the grid's titles, then a
// line per entry as the grid shows it.

#include "Telefonbuchdatei.h"

// The bytes of a ".csv" file: UTF-8 with a byte order mark, ";" between fields, every line ending with
// CR LF. A field holding ";", a quote or a line break stands in quotes, its quotes doubled.
QByteArray TelefonbuchAlsTabelle(const Telefonbuch& telefonbuch);

// The whole phone book of a CSV file as spreadsheets write it, or why it is not one. The separator
// (";", "," or TAB) is the one the header line uses most; the text is UTF-8, or Windows-1252 where the
// bytes are no UTF-8. Columns are found by their titles in the header, in any order and case; "Index"
// (1 to 50) says which entry a line fills. An entry without a line, and a column or cell that is
// missing, take the empty entry's values; "Tastercode" follows the address. Every line is checked
// before anything is taken, so a refused file gives nothing. Lines count as a spreadsheet's rows,
// from 1 and blank ones too: a line break in quotes starts no new one.
std::variant<Telefonbuch, Telefonbuchfehler> TelefonbuchAusTabelle(QByteArrayView datei);
