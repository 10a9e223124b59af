#pragma once

#include "Arguments.h"
#include "Klingport.h"

#include <QStringList>
#include <variant>

namespace sim {

// What the command line asks the simulator to be.
struct Settings {
    QString port;        // a serial port; empty = a pseudo-terminal
    QString link;        // a symlink to the pseudo-terminal; empty = none
    QString imagePath;   // where the image is kept; empty = nowhere
    QString firmwareDir; // where received firmware and bus drivers go; empty = nowhere
    QString reportsPath; // a report script; empty = the built-in reports
    int baud = 19200;
    bool verbose = false;
    device::Options device;
};

// Reads the arguments (program name first).
std::variant<Settings, HelpRequested, CommandLineError> parseCommandLine(const QStringList& arguments);

} // namespace sim
