#pragma once

// The device's telegram reports while bus logging runs, as German log text.
//
// A report is one ASCII line ending in CR LF. Its first character tells the kind: "S" the Klingport
// sends a telegram, "E" it receives one, "T" it places a call. Only fixed positions are read; a
// report shorter than a position gives a shorter or empty field, never an error.

#include <QByteArrayView>
#include <QString>

// The text of one report, without time stamp. An unknown code gives the raw report (CR LF included),
// without the kind's prefix; an unknown kind gives an empty text. Fields end with the report's line,
// and a CR or LF inside it shows as a blank, so the text is one line besides that raw CR LF.
QString BerichtDekodieren(QByteArrayView bericht);
