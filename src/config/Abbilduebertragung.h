#pragma once

#include "Befehlsumgebung.h"

#include <QByteArray>
#include <optional>

// How a failed read of the device image is logged; the phone book's load words time-out and busy
// its own way, every other command as the configuration does.
struct Lesefehlertexte {
    const char* timeout = " Konfiguration auslesen wegen Timeout abgebrochen";
    const char* belegt = " Konfiguration auslesen nicht möglich, da die Schnittstelle belegt ist";
};

// The device image's way to and from the device, for the configuration's and the phone book's commands.

// Reads the device image. A failure, or a successful read shorter than `mindestlänge`, is reported
// by message box and log line (stamped `stempel`) and gives nothing.
std::optional<QByteArray> AbbildLesen(const Befehlsumgebung& umgebung, const QDateTime& stempel,
                                      qsizetype mindestlänge, Lesefehlertexte texte = {});

// Reads the whole image for a store, which then replaces its own half, and keeps it as a backup: a
// failed read or backup is reported and gives nothing; a success is logged as the configuration's
// read. A store never builds on a partial read, nor goes ahead without its backup.
std::optional<QByteArray> AbbildZumSpeichernLesen(const Befehlsumgebung& umgebung);

// Stores the image into the device and reports the outcome by log line and message box; the log
// line names what was stored ("Konfiguration", "Telefonbuch"). Whether the device took it.
bool AbbildSenden(const Befehlsumgebung& umgebung, const QByteArray& abbild, const QString& was);
