#pragma once

#include "Klingport.h"

#include <QByteArrayView>
#include <QString>
#include <variant>

namespace sim {

// The reports of a script file and the pauses between them, as the device core takes them.
struct ReportScript {
    QList<QByteArray> reports;            // each ending in CR LF
    std::map<int, device::Millis> pauses; // extra pause before reports[i]; key reports.size() = at the end
};

// Reads a script: one report per line, blank lines and lines starting with '#' skipped, "wait MS" pauses.
// Returns the script, or a message that names the offending line.
std::variant<ReportScript, QString> parseReportScript(QByteArrayView text);

} // namespace sim
