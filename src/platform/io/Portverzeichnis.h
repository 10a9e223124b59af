#pragma once

#include "SettingsStore.h"

#include <QString>

namespace platform {

// The program knows the ports COM1 to COM6. On Windows they are the ports of those names. Elsewhere
// COM n stands for /dev/ttyS(n-1), unless the settings store names another device for it under
// group "Ports", key "COMn" (a USB adapter such as /dev/ttyUSB0, or the simulator's link). On Windows
// a number above 6 is Windows' own port of that name, as a bench's USB adapters are named.
class Portverzeichnis {
public:
    static constexpr int ErsterPort = 1;
    static constexpr int LetzterPort = 6;

    explicit Portverzeichnis(const SettingsStore& settings) : settings(settings) {}

    // The device path COM `nummer` stands for; empty for a number below 1, and above 6 but on Windows.
    QString pfad(int nummer) const;

    static QString name(int nummer) { return QStringLiteral("COM%1").arg(nummer); }
    // The number of a name "COMn" (any case); 0 for any other name.
    static int nummer(const QString& name);

private:
    const SettingsStore& settings;
};

} // namespace platform
