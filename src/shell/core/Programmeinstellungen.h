#pragma once

// The program-wide settings and how they survive between runs in the per-user settings store.

#include <QString>

namespace platform {
class SettingsStore;
}

namespace shell {

struct Programmeinstellungen {
    int ComportNummer = 0; // 0 = no port, 1 to 6 = COM1 to COM6
    QString FirmwarePfad;
    QString BustreiberPfad;
    QString Druckername;
    bool ÜbertragungenLoggen = false;
};

// What loading found. Loading stops at the first error (a missing or empty "Comport", as on the very
// first run), so then nothing after it was loaded.
struct Ladeergebnis {
    bool vollständig = false;
    bool logAutoScroll = true; // valid only when vollständig
};

Ladeergebnis EinstellungenLaden(const platform::SettingsStore& store, Programmeinstellungen& einstellungen);
void EinstellungenSpeichern(platform::SettingsStore& store, const Programmeinstellungen& einstellungen,
                            bool logAutoScroll);

// A file name as its label shows it: a name of more than 93 characters becomes "..." and its last 90.
QString Dateibeschriftung(const QString& pfad);

inline const QString Anwendungstitel = QStringLiteral("Welko Klingport Inbetriebnahmesoftware");

} // namespace shell
