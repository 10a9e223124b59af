#pragma once

#include "Ergebnis.h"

// The exit status of klingport-cli. The link's results keep their codes.
enum class Ausgang {
    Erfolg = 0,
    Timeout = 1,
    Transferfehler = 2,
    Belegt = 3,
    Eingabefehler = 4, // bad arguments, or a file that can't be read or written
    PortFehler = 5,    // the port can't be opened
    Verschieden = 6,   // the device differs from the files it was compared with
};

inline Ausgang ausgangVon(kommunikation::Ergebnis ergebnis)
{
    return static_cast<Ausgang>(static_cast<int>(ergebnis));
}
