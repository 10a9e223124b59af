#pragma once

// The hand-written expected files of tests/daten.

#include <QByteArray>
#include <QFile>
#include <QTest>

inline QByteArray testdatei(const QString& name)
{
    QFile datei(QStringLiteral(KLINGPORT_TESTDATEN "/") + name);
    if (!datei.open(QIODevice::ReadOnly))
        qFatal("missing test file %s", qPrintable(name));
    return datei.readAll();
}

// The whole file, or nothing when it can't be read.
inline QByteArray dateiinhalt(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

// Writes `inhalt` to `pfad` and gives `pfad` back.
inline QString dateiAnlegen(const QString& pfad, const QByteArray& inhalt)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly) || datei.write(inhalt) != inhalt.size())
        qFatal("cannot write %s", qPrintable(pfad));
    return pfad;
}
