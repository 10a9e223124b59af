// The ".kpb" reader on any file: a file it takes gives a phone book that, written and read again,
// comes back the same; the text of any phone book has its 62 lines.

#include "Eigenschaft.h"
#include "Telefonbuchdatei.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t größe)
{
    const QByteArray datei(reinterpret_cast<const char*>(daten), qsizetype(größe));
    const auto gelesen = TelefonbuchAusDatei(datei);
    if (!std::holds_alternative<Telefonbuch>(gelesen))
        return 0;
    const Telefonbuch& buch = std::get<Telefonbuch>(gelesen);
    EIGENSCHAFT(TelefonbuchAlsText(buch).count(QLatin1String("\r\n")) == 62);
    const auto wieder = TelefonbuchAusDatei(TelefonbuchDateiinhalt(buch));
    EIGENSCHAFT(std::holds_alternative<Telefonbuch>(wieder) && std::get<Telefonbuch>(wieder) == buch);
    return 0;
}
