#pragma once

// The configuration as text: the ".kpk" file and the printout. Both lay the parameters out in
// TAB-separated lines under their labels, each with its value or an "X" for the selected option.

#include "Konfiguration.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// The file's lines 1 to 31, each ending with CR LF. `Anrufbeantworter` is not written.
QString KonfigurationAlsText(const Konfiguration& konfiguration);
// The printout's 33 lines, each ending with CR LF. `Anrufbeantworter` is not printed.
QString KonfigurationDruckText(const Konfiguration& konfiguration);

// The bytes of a ".kpk" file: the text in Windows-1252 and one more CR LF.
QByteArray KonfigurationDateiinhalt(const Konfiguration& konfiguration);
// The configuration a ".kpk" file gives when it is loaded over the shown one. Each value is found
// by its label at the start of a line; the field of a missing label keeps its shown value, and so
// does `Anrufbeantworter`. Empty when the file holds none of the labels.
std::optional<Konfiguration> KonfigurationAusDatei(QByteArrayView datei, const Konfiguration& angezeigt);
// What the user is told of a file, named by its path, that holds none of the labels.
QString KeineKonfigurationMeldung(const QString& datei);
