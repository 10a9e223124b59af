#include "ReportScript.h"

namespace sim {

std::variant<ReportScript, QString> parseReportScript(QByteArrayView text)
{
    ReportScript script;
    const QList<QByteArray> lines = text.toByteArray().split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith("wait ") || line == "wait") {
            bool ok = false;
            const qint64 ms = line.mid(5).trimmed().toLongLong(&ok);
            if (!ok || ms < 0)
                return QStringLiteral("line %1: \"wait\" needs a number of milliseconds, not \"%2\"")
                    .arg(i + 1)
                    .arg(QString::fromLatin1(line.mid(5).trimmed()));
            script.pauses[script.reports.size()] += ms;
            continue;
        }
        script.reports.append(line + "\r\n");
    }
    if (script.reports.isEmpty())
        return QStringLiteral("the script holds no report");
    return script;
}

} // namespace sim
