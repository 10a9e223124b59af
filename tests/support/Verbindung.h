#pragma once

// The real link window and serial port on COM1, which the settings point at the given device.

#include "Clock.h"
#include "FakeSettingsStore.h"
#include "Portverzeichnis.h"
#include "QtSerialPort.h"
#include "frm_Kommunikation.h"

struct Verbindung {
    FakeSettingsStore settings;
    platform::Portverzeichnis ports{settings};
    platform::QtSerialPort port;
    platform::SteadyClock clock;
    frm_Kommunikation form{port, clock, [this](int n) { return ports.pfad(n); }};

    explicit Verbindung(const QString& com1) { settings.setValue("Ports", "COM1", com1); }
};
