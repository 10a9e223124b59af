#pragma once

#include "Arguments.h"

#include <QString>
#include <QStringList>
#include <variant>

namespace ptyline {

// What the command line asks the null-modem cable to be.
struct Options {
    int baud = 0;  // 0 = unpaced
    QString linkA; // a symlink to end a; empty = none
    QString linkB; // a symlink to end b; empty = none
};

// Reads the arguments (program name first).
std::variant<Options, sim::HelpRequested, sim::CommandLineError> parseOptions(const QStringList& arguments);

} // namespace ptyline
