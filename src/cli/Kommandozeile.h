#pragma once

#include "Aufruf.h"
#include "Clock.h"
#include "Konsole.h"
#include "QtSerialPort.h"
#include "QtSettingsStore.h"
#include "Sicherungen.h"

#include <memory>
#include <optional>

class SerielleVerbindung;

// Runs one command of klingport-cli: opens the port, does one thing, and tells how it went.
class Kommandozeile {
public:
    explicit Kommandozeile(Aufruf aufruf);
    ~Kommandozeile();

    Ausgang ausführen();

private:
    Ausgang version();
    Ausgang lesen();
    // Stores what the files make of the device's image, or with `trocken` only prints what would change.
    // The phone book comes from `kpb` or, as a table, from `csv`.
    Ausgang speichern(const QString& kpk, const QString& kpb, const QString& csv, const QString& abbild,
                      bool trocken);
    Ausgang vergleichen();
    Ausgang loggen();
    Ausgang hochladen(bool firmware);
    Ausgang ruftaste();
    Ausgang sicherungenAuflisten();

    // Opens the port and readies the device; empty when that worked.
    std::optional<Ausgang> verbinden();
    // The whole image, or the failure already reported.
    std::variant<QByteArray, Ausgang> abbildLesen();
    // Reports a failed operation and gives its exit status.
    Ausgang fehlgeschlagen(kommunikation::Ergebnis ergebnis, const QString& was);

    Aufruf aufruf;
    platform::QtSettingsStore settings;
    platform::Sicherungen sicherungen;
    platform::QtSerialPort port;
    platform::SteadyClock clock;
    platform::SystemWallClock uhr;
    KonsolenMeldungen meldungen;
    Fortschrittsanzeige fortschritt;
    std::unique_ptr<SerielleVerbindung> link;
};
