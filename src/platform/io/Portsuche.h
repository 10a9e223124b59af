#pragma once

// Serial adapters get their COM number by themselves, as on Windows: the first time the program
// sees an adapter it writes the lowest free number into the settings group "Ports", the same entry
// a user would write by hand, and the adapter keeps it from then on, plugged in or not.

#include "SettingsStore.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace platform {

// Where the machine shows its serial ports; tests hand in a tree of their own.
struct Portordner {
    QString byId = QStringLiteral("/dev/serial/by-id"); // one stable name per adapter
    QString dev = QStringLiteral("/dev");
    QString sysTty = QStringLiteral("/sys/class/tty"); // "ttySn/type" is 0 for a port without a UART
};

// The serial ports present now, in the order they get numbers: the adapters by their stable names,
// then adapters that have none (ttyUSB, ttyACM), then the ttyS ports with a real UART. On Windows the
// COM ports Windows lists, by number; the folders are not looked at.
QStringList vorhandeneSeriellePorts(const Portordner& ordner);

struct Portzuordnung {
    int nummer; // COM1 to COM6
    QString pfad;
};

// Gives each port that no entry of "Ports" names yet the lowest COM number without an entry that is
// not `vergeben`, and writes it there. Existing entries are never changed; when all six are taken, a
// port gets none. On Windows a present COM1 to COM6 is its own number's port: it needs no entry and its
// number is taken.
QList<Portzuordnung> PortsZuordnen(SettingsStore& settings, const QStringList& ports,
                                   const QSet<int>& vergeben = {});

// The COM numbers Windows keeps for the adapters it has seen, plugged in or not: bit n-1 of its bitmap
// "ComDB" stands for COMn.
QSet<int> reservierteNummern(const QByteArray& comDb);
// That bitmap as Windows keeps it; empty elsewhere, and where Windows keeps none.
QByteArray comDb();

} // namespace platform
