#include "Figures.h"

#include <algorithm>

double minimum(QList<double> values)
{
    return values.isEmpty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

namespace {

QList<double> ratios(const Figures& figures)
{
    QList<double> result;
    for (qsizetype i = 0; i < figures.wallSeconds.size() && i < figures.floorSeconds.size(); ++i)
        result.append(figures.floorSeconds[i] > 0 ? figures.wallSeconds[i] / figures.floorSeconds[i] : 0.0);
    return result;
}

QString seconds(const QList<double>& values, const char* format = "%.3f/%.3f")
{
    return values.isEmpty() ? QStringLiteral("-")
                            : QString::asprintf(format, minimum(values), median(values));
}

} // namespace

QString tableOf(const QList<Figures>& rows)
{
    QString table = QString::asprintf("%-44s %5s %13s %17s %17s %13s %17s %17s\n", "transfer", "runs",
                                      "wire bytes", "floor s min/med", "wall s min/med", "ratio min/med",
                                      "program s min/med", "peer+pty s min/med");
    for (const Figures& row : rows) {
        QList<double> wire;
        for (qint64 bytes : row.wireBytes)
            wire.append(double(bytes));
        table += QString::asprintf(
            "%-44s %5lld %13s %17s %17s %13s %17s %17s\n", qPrintable(row.name),
            static_cast<long long>(row.wallSeconds.size()), qPrintable(seconds(wire, "%.0f/%.0f")),
            qPrintable(seconds(row.floorSeconds)), qPrintable(seconds(row.wallSeconds)),
            qPrintable(seconds(ratios(row), "%.3f/%.3f")), qPrintable(seconds(row.programSeconds)),
            qPrintable(seconds(row.peerSeconds)));
        if (!row.failure.isEmpty())
            table += QStringLiteral("    failed: %1\n").arg(row.failure);
    }
    return table;
}
