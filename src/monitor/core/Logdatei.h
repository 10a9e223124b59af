#pragma once

// The ".log" file: the log's text in Windows-1252, lines ended by CR LF.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The bytes of a ".log" file: the log and one more CR LF.
QByteArray LogDateiinhalt(const QString& log);
// The log a ".log" file gives: each of its lines followed by CR LF, whether the file ended its
// lines with CR LF, CR or LF.
QString LogAusDatei(QByteArrayView datei);
