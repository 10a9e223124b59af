// The device image's readers on any bytes: what they read, once written into the image, reads
// back the same, the image keeps its size, and every byte outside the fields stays.

#include "Eigenschaft.h"
#include "Geraeteabbild.h"
#include "Konfigurationsbereich.h"
#include "Telefonbuchbereich.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t größe)
{
    const QByteArray abbild(reinterpret_cast<const char*>(daten), qsizetype(größe));
    const Konfiguration k = KonfigurationAusAbbild(abbild, Masterumleitung::aus);
    const Telefonbuch buch = TelefonbuchAusAbbild(abbild);

    // A field the device could not have written (a door station that is no digit, a number that
    // fills its field) is read as the program would show it; from then on the values stay.
    const QByteArray mitKonfiguration = KonfigurationInAbbild(abbild, k);
    EIGENSCHAFT(mitKonfiguration.size() == std::max<qsizetype>(abbild.size(), 90));
    EIGENSCHAFT(mitKonfiguration.mid(90) == abbild.mid(90));
    const Konfiguration k2 = KonfigurationAusAbbild(mitKonfiguration, Masterumleitung::aus);
    EIGENSCHAFT(KonfigurationAusAbbild(KonfigurationInAbbild(mitKonfiguration, k2), Masterumleitung::aus) ==
                k2);

    const QByteArray mitBuch = TelefonbuchInAbbild(abbild, buch);
    EIGENSCHAFT(mitBuch.size() == abbild::Größe);
    EIGENSCHAFT(mitBuch.left(std::min<qsizetype>(abbild.size(), abbild::Konfigurationsgröße)) ==
                abbild.left(abbild::Konfigurationsgröße));
    const Telefonbuch buch2 = TelefonbuchAusAbbild(mitBuch);
    EIGENSCHAFT(TelefonbuchAusAbbild(TelefonbuchInAbbild(mitBuch, buch2)) == buch2);
    return 0;
}
