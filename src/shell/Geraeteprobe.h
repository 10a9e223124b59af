#pragma once

#include "Befehlsumgebung.h"

class FirmwareTab;
class KonfigurationTab;
class TelefonbuchTab;

// The device probe of the first activation: asks the device for its version, warns about a device
// with only its bootloader or without bus driver, and from a complete device takes its configuration
// and phone book. It reports by message box only, never into the log.
void GeraetPruefen(const Befehlsumgebung& umgebung, int comportNummer, FirmwareTab& firmware,
                   KonfigurationTab& konfiguration, TelefonbuchTab& telefonbuch);
