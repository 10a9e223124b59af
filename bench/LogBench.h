#pragma once

// Benchmarks of the log: appending decoded reports however long the log has grown, decoding one
// report, and the whole program logging a flood of reports from the simulator.

#include <QDir>
#include <QString>

struct AppendFigures {
    int lines = 0;
    double firstUsPerLine = 0; // over the first thousand lines
    double lastUsPerLine = 0;  // over the last thousand lines
};

// Appends `lines` decoded, time-stamped reports to a shown log window.
AppendFigures measureLogAppend(int lines);

// Nanoseconds to decode one report, over the simulator's built-in reports.
double measureDecodeNs();

struct FloodFigures {
    QString failure;
    double seconds = 0;
    qsizetype reports = 0;
    bool inOrder = false;    // every report arrived, whole and in the device's order
    qint64 longestGapMs = 0; // the longest a 10 ms timer on the event loop had to wait
    qint64 rssGrowthKb = 0;  // resident memory grown while logging
    qint64 logTextKb = 0;    // the log's text, UTF-16
};

// The whole program logs the simulator's reports, sent unpaced every millisecond, for `seconds`.
FloodFigures measureFlood(int seconds, const QDir& dir);
