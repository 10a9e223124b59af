// The ".kpk" reader on any file: a file it takes gives a configuration that keeps the boxes' rules
// and, written and read again, comes back the same.

#include "Eigenschaft.h"
#include "Konfigurationsdatei.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t größe)
{
    const QByteArray datei(reinterpret_cast<const char*>(daten), qsizetype(größe));
    const auto gelesen = KonfigurationAusDatei(datei, Werkseinstellungen());
    const Konfiguration* konfiguration = std::get_if<Konfiguration>(&gelesen);
    if (!konfiguration)
        return 0;
    EIGENSCHAFT(KonfigurationPrüfen(*konfiguration).isEmpty());
    const auto wieder = KonfigurationAusDatei(KonfigurationDateiinhalt(*konfiguration), Werkseinstellungen());
    EIGENSCHAFT(std::holds_alternative<Konfiguration>(wieder) &&
                std::get<Konfiguration>(wieder) == *konfiguration);
    return 0;
}
