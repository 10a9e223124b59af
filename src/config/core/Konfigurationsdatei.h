#pragma once

// The configuration as text: the ".kpk" file and the printout. Both lay the parameters out in
// TAB-separated lines under their labels, each with its value or an "X" for the selected option.

#include "Konfiguration.h"

#include <QByteArray>
#include <QByteArrayView>
#include <variant>

// The file's lines 1 to 31, each ending with CR LF. `Anrufbeantworter` is not written.
QString KonfigurationAlsText(const Konfiguration& konfiguration);
// The printout's 33 lines, each ending with CR LF. `Anrufbeantworter` is not printed.
QString KonfigurationDruckText(const Konfiguration& konfiguration);

// The bytes of a ".kpk" file: the text in Windows-1252 and one more CR LF.
QByteArray KonfigurationDateiinhalt(const Konfiguration& konfiguration);
// Why a ".kpk" file is not loaded: it holds none of the labels (line 0), or the value on a line
// breaks the rule of its box.
struct Konfigurationsfehler {
    int zeile = 0;
    QString grund; // "PIN: \"abcd\" sind nicht 4 Ziffern."
    // What the user is told of the file, named by its path.
    QString meldung(const QString& datei) const;
};

// The configuration a ".kpk" file gives when it is loaded over the shown one. Lines may end in
// CR LF, LF or CR. Each value is found by its label at the start of a line; the field of a missing
// label keeps its shown value, and so does `Anrufbeantworter`. A file that holds none of the labels,
// or a value that its box would refuse, gives nothing of the file.
std::variant<Konfiguration, Konfigurationsfehler> KonfigurationAusDatei(QByteArrayView datei,
                                                                        const Konfiguration& angezeigt);

// What the user is told when the configuration was not "gespeichert" or "übertragen" because a value
// breaks its rule; empty when every value keeps its rule.
QString UngültigeKonfigurationMeldung(const Konfiguration& konfiguration, const QString& was);
// Why a configuration can't go into a file or the device: the first value that breaks its box's rule,
// as "PIN: \"123\" sind nicht 4 Ziffern."; empty when every value keeps its rule.
QString KonfigurationPrüfen(const Konfiguration& konfiguration);
