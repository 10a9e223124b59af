// The ".kpk" reader on any file: a file it takes gives a configuration that, written and read
// again, comes back the same.

#include "Eigenschaft.h"
#include "Konfigurationsdatei.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t größe)
{
    const QByteArray datei(reinterpret_cast<const char*>(daten), qsizetype(größe));
    const std::optional<Konfiguration> gelesen = KonfigurationAusDatei(datei, Werkseinstellungen());
    if (!gelesen)
        return 0;
    const std::optional<Konfiguration> wieder =
        KonfigurationAusDatei(KonfigurationDateiinhalt(*gelesen), Werkseinstellungen());
    EIGENSCHAFT(wieder && *wieder == *gelesen);
    return 0;
}
