#pragma once

// Benchmarks of the files and printouts: the phone book file written and read back, the list of the
// most backups there can be, and the three printouts rendered into PDF through QPrinter.

#include <QDir>
#include <QString>

struct PrintFigures {
    QString failure;
    double phoneBookFileUs = 0; // the full phone book's ".kpb" bytes built and read back
    int backups = 0;
    double backupsListMs = 0;   // the backups dialog's list of them, read anew
    double configurationMs = 0; // the configuration printout into PDF
    double phoneBookMs = 0;     // the phone book printout into PDF
    double logMs = 0;           // the log printout into PDF
    int logLines = 0;
    int logPages = 0;
};

// The log printout has `logLines` lines of a typical decoded report.
PrintFigures measurePrintouts(int logLines, const QDir& dir);
