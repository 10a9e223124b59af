#pragma once

// Finding and reading the firmware and bus-driver image files.

#include <QByteArray>
#include <QString>
#include <optional>

// How looking up an image file went.
struct Dateisuche {
    enum class Ergebnis { Gefunden, NichtGefunden, Fehler };
    Ergebnis ergebnis = Ergebnis::NichtGefunden;
    QString pfad;   // the file as the folder lists it, when found
    QString fehler; // the message of a failed lookup
    // What the user is told when the file was not found.
    QString meldung() const;
};

// Looks the file up as a folder listing does: it exists when its folder lists a normal file (not
// hidden, not a system file) of that name, in any letter case. A name with wildcards is no file.
Dateisuche DateiSuchen(const QString& pfad);

// The whole file, byte for byte; nothing when it cannot be read.
std::optional<QByteArray> DateiEinlesen(const QString& pfad);
// What the user is told when a found file cannot be read.
QString NichtLesbarMeldung(const QString& pfad);

// A path as the firmware tab's labels show it: beyond 63 characters "..." and the last 60.
QString Imagebeschriftung(const QString& pfad);
