#pragma once

#include "Ausgang.h"

#include <QStringList>
#include <variant>

// One call of klingport-cli: the command with its arguments and options.
struct Aufruf {
    QString kommando;
    QStringList argumente; // the command's own, after its name
    QString port;          // "COM1" to "COM6" or a device path; empty: the port the program stored
    QString einstellungen; // a settings file instead of the user's settings
    QString kpk;
    QString kpb;
    QString csv;      // the phone book as a table
    QString abbild;   // also the backup "vergleichen --sicherung" names: both are a whole image
    int sekunden = 0; // 0: until Ctrl-C or SIGTERM
    bool roh = false;
    bool trocken = false; // only print what a store would change
};

// The call the arguments make, or how the program ends at once: after its help (Erfolg) or after
// saying what is wrong with them (Eingabefehler).
std::variant<Aufruf, Ausgang> AufrufLesen(const QStringList& argumente);
