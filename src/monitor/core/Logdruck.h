#pragma once

// The log printout: a heading, then the log with every line indented by one TAB.

#include <QString>

QString LogDrucküberschrift();
// TAB, then the log with a TAB after every CR LF; a log of any length.
QString LogDruckText(const QString& log);
