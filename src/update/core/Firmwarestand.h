#pragma once

#include <QString>

// What the device's version answer tells about its firmware.
enum class Firmwarestand {
    NurBootlader,   // only the bootloader runs: the answer holds "Bootlader"
    KeinBustreiber, // firmware without bus driver: no "PIC"
    Vollständig,    // firmware with bus driver: "PIC"
};

// The tests are exact in letter case.
inline Firmwarestand FirmwarestandAus(const QString& antwort)
{
    if (antwort.contains(QLatin1String("Bootlader")))
        return Firmwarestand::NurBootlader;
    if (antwort.contains(QLatin1String("PIC")))
        return Firmwarestand::Vollständig;
    return Firmwarestand::KeinBustreiber;
}
