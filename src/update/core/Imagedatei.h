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
// The largest image sent: at 19200 baud it takes over two hours, far beyond any of the device's.
constexpr qint64 GrößtesImage = 16 * 1024 * 1024;
// An image to send, read whole before anything is sent. An empty one, which would leave the device
// waiting for an image it never gets, and one above GrößtesImage, which is not even read, are refused
// with the reason; a file that cannot be read gives neither bytes nor reason.
struct Image {
    std::optional<QByteArray> bytes;
    QString abgelehnt;
};
Image ImageEinlesen(const QString& pfad);

// A path as the firmware tab's labels show it: beyond 63 characters "..." and the last 60.
QString Imagebeschriftung(const QString& pfad);
