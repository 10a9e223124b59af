#include "Abbildvergleich.h"

#include "Geraeteabbild.h"
#include "Konfigurationsbereich.h"
#include "Sicherungsinhalt.h"
#include "TelefonbuchModell.h"
#include "Telefonbuchbereich.h"

#include <functional>
#include <utility>

namespace {

QString janein(bool wert)
{
    return wert ? QStringLiteral("ja") : QStringLiteral("nein");
}

// Each configuration field under the caption of its control, its value as the control shows it.
const std::pair<const char*, std::function<QString(const Konfiguration&)>> Konfigurationsfelder[] = {
    {"Anschlussart",
     [](const Konfiguration& k) {
         return k.anschlussart == Anschlussart::Amtsanschluss ? QStringLiteral("Amtsanschluss")
                                                              : QStringLiteral("Nebenstellenanschluss");
     }},
    {"PIN", [](const Konfiguration& k) { return k.PIN; }},
    {"Lokale Rufzeit", [](const Konfiguration& k) { return k.LokaleRufzeit; }},
    {"Externe Rufzeit", [](const Konfiguration& k) { return k.ExterneRufzeit; }},
    {"Türgesprächszeit", [](const Konfiguration& k) { return k.Türgesprächszeit; }},
    {"Variantenumschaltung",
     [](const Konfiguration& k) {
         return k.variante == Variante::Nacht ? QStringLiteral("2 (Nacht)") : QStringLiteral("1 (Tag)");
     }},
    {"Mithören",
     [](const Konfiguration& k) { return k.Mithören ? QStringLiteral("An") : QStringLiteral("Aus"); }},
    {"Masterumleitung",
     [](const Konfiguration& k) {
         return k.masterumleitung == Masterumleitung::sofort      ? QStringLiteral("sofort")
                : k.masterumleitung == Masterumleitung::verzögert ? QStringLiteral("verzögert")
                                                                  : QStringLiteral("aus");
     }},
    {"Anrufbeantworter", [](const Konfiguration& k) { return janein(k.Anrufbeantworter); }},
    {"Masterumleitungsnummer", [](const Konfiguration& k) { return k.Masterumleitungsnummer; }},
};

constexpr int Eintragsspalten[] = {TelefonbuchModell::Teilnehmer, TelefonbuchModell::Nummer1,
                                   TelefonbuchModell::Nummer2,    TelefonbuchModell::Anrufbeantworter,
                                   TelefonbuchModell::Türstation, TelefonbuchModell::Adresse};

} // namespace

QList<Unterschied> AbbilderVergleichen(const QByteArray& vorher, const QByteArray& nachher)
{
    QList<Unterschied> liste;
    if (vorher == nachher)
        return liste;
    const Konfiguration a = AngezeigteKonfiguration(vorher), b = AngezeigteKonfiguration(nachher);
    for (const auto& [feld, wert] : Konfigurationsfelder) {
        if (wert(a) != wert(b))
            liste.append({QString::fromUtf8(feld), wert(a), wert(b)});
    }
    const Telefonbuch buchA = TelefonbuchAusAbbild(vorher), buchB = TelefonbuchAusAbbild(nachher);
    for (int nummer = 1; nummer <= Telefonbucheinträge; ++nummer) {
        for (const int spalte : Eintragsspalten) {
            const QString x = TelefonbuchModell::zelle(buchA[nummer - 1], spalte);
            const QString y = TelefonbuchModell::zelle(buchB[nummer - 1], spalte);
            if (x != y)
                liste.append(
                    {QStringLiteral("Eintrag %1: %2").arg(nummer).arg(TelefonbuchModell::titel(spalte)), x,
                     y});
        }
    }
    // Past what either image shows; an image of another length differs in its missing bytes too.
    const qsizetype länge = std::max(vorher.size(), nachher.size());
    qsizetype anzahl = 0, erstes = -1;
    for (qsizetype i = 0; i < länge; ++i) {
        const bool gezeigt = KonfigurationsbyteGelesen(i) || TelefonbuchbyteGelesen(i);
        if (!gezeigt && (i >= vorher.size() || i >= nachher.size() || vorher[i] != nachher[i])) {
            if (anzahl++ == 0)
                erstes = i;
        }
    }
    if (anzahl > 0) {
        const auto byte = [&](const QByteArray& bild) {
            const QString wert =
                erstes < bild.size()
                    ? QStringLiteral("%1").arg(quint8(bild[erstes]), 2, 16, QLatin1Char('0')).toUpper()
                    : QStringLiteral("fehlt");
            return QStringLiteral("Byte %1: %2 (%3 verschieden)").arg(erstes).arg(wert).arg(anzahl);
        };
        liste.append({ÜbrigeBytes, byte(vorher), byte(nachher)});
    }
    return liste;
}

QByteArray AbbildMitFenster(const QByteArray& gerät, const Konfiguration& konfiguration,
                            const Telefonbuch& telefonbuch)
{
    return KonfigurationInAbbild(TelefonbuchInAbbild(gerät, telefonbuch), konfiguration);
}

QString UnterschiedeZählen(qsizetype anzahl)
{
    return anzahl == 1 ? QStringLiteral("1 Unterschied") : QStringLiteral("%1 Unterschiede").arg(anzahl);
}
