#include "Abbildlesen.h"

using kommunikation::Ergebnis;
using platform::Icon;

std::optional<QByteArray> AbbildLesen(const Befehlsumgebung& u, const QDateTime& stempel,
                                      qsizetype mindestlänge, Lesefehlertexte texte)
{
    const kommunikation::Antwort antwort = u.link.KonfigurationLaden();
    switch (antwort.ergebnis) {
    case Ergebnis::Timeout:
        u.loggen(stempel, texte.timeout);
        u.melden("Auslesen wegen Timeout abgebrochen!", Icon::Critical);
        return std::nullopt;
    case Ergebnis::Belegt:
        u.loggen(stempel, texte.belegt);
        u.belegtMelden();
        return std::nullopt;
    case Ergebnis::Transferfehler:
        break;
    case Ergebnis::Erfolg:
        if (antwort.daten.size() >= mindestlänge)
            return antwort.daten;
        break;
    }
    u.loggen(stempel, " Konfiguration auslesen wegen Übertragungsfehlern abgebrochen");
    u.melden("Konfiguration auslesen wegen Übertragungsfehlern abgebrochen", Icon::Critical);
    return std::nullopt;
}
