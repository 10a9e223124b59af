#include "Abbilduebertragung.h"

#include "Geraeteabbild.h"

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
        if (antwort.daten.size() == abbild::Größe)
            u.imKlingport(antwort.daten);
        if (antwort.daten.size() >= mindestlänge)
            return antwort.daten;
        break;
    }
    u.loggen(stempel, " Konfiguration auslesen wegen Übertragungsfehlern abgebrochen");
    u.melden("Konfiguration auslesen wegen Übertragungsfehlern abgebrochen", Icon::Critical);
    return std::nullopt;
}

std::optional<QByteArray> AbbildZumSpeichernLesen(const Befehlsumgebung& u)
{
    const QDateTime stempel = u.stempel();
    std::optional<QByteArray> gelesen = AbbildLesen(u, stempel, abbild::Größe);
    if (!gelesen)
        return std::nullopt;
    u.loggen(stempel, " Konfiguration erfolgreich ausgelesen");
    if (u.sicherungen.sichern(*gelesen, stempel).isEmpty()) {
        u.loggen(stempel, " Speichern abgebrochen, weil die Sicherung nicht geschrieben werden konnte");
        u.meldungen.show(u.sicherungen.nichtGeschrieben(), Icon::Critical);
        return std::nullopt;
    }
    return gelesen;
}

bool AbbildSenden(const Befehlsumgebung& u, const QByteArray& abbild, const QString& was)
{
    const Ergebnis ergebnis = u.link.KonfigurationSenden(abbild);
    u.ergebnisMelden(
        ergebnis,
        {.erfolg = {QStringLiteral(" %1 erfolgreich übertragen").arg(was),
                    QStringLiteral("Übertragung erfolgreich!")},
         .timeout = {QStringLiteral(" %1 konnte wegen eines Timeout nicht übertragen werden").arg(was),
                     QStringLiteral("Übertragung wegen Timeout abgebrochen!")},
         .transferfehler =
             {QStringLiteral(" %1 konnte wegen Übertragungsfehlern nicht übertragen werden").arg(was),
              QStringLiteral("Übertragung wegen Übertragungsfehlern abgebrochen!")},
         .belegt = QStringLiteral(" %1 konnte nicht übertragen werden, weil die Schnittstelle belegt ist")
                       .arg(was)});
    if (ergebnis == Ergebnis::Erfolg)
        u.imKlingport(abbild);
    return ergebnis == Ergebnis::Erfolg;
}
