#include "KonfigurationDateibefehle.h"

#include "KonfigurationTab.h"
#include "Konfigurationsdatei.h"

#include <QPushButton>

namespace {

platform::Dateiinhalt Konfigurationsdatei(KonfigurationTab& tab)
{
    return {
        .art = QStringLiteral("Konfigurationsdatei"),
        .filter = QStringLiteral("Welko Klingport Konfiguration (*.kpk)|*.kpk"),
        .prüfen =
            [&tab] {
                return UngültigeKonfigurationMeldung(tab.angezeigteKonfiguration(),
                                                     QStringLiteral("gespeichert"));
            },
        .schreiben = [&tab] { return KonfigurationDateiinhalt(tab.angezeigteKonfiguration()); },
        .lesen =
            [&tab](const QByteArray& datei, const QString& name) {
                const auto gelesen = KonfigurationAusDatei(datei, tab.angezeigteKonfiguration());
                if (const auto* fehler = std::get_if<Konfigurationsfehler>(&gelesen))
                    return fehler->meldung(name);
                tab.KonfigurationAnzeigen(std::get<Konfiguration>(gelesen));
                return QString();
            },
        .drucktext = [&tab] { return KonfigurationDruckText(tab.angezeigteKonfiguration()); },
        .schriftgröße = 10,
        .ausrichtung = std::nullopt,
        .druckdatei = QStringLiteral("Konfiguration.pdf"),
    };
}

} // namespace

KonfigurationDateibefehle::KonfigurationDateibefehle(KonfigurationTab& tab, platform::MessageBoxes& meldungen,
                                                     platform::FileDialogs& dateidialoge,
                                                     platform::Printers& drucker, QObject* parent)
    : Dateibefehle(Konfigurationsdatei(tab), meldungen, dateidialoge, drucker, parent)
{
    verbinden(tab.cmd_KonfigInDateiSpeichern, tab.cmd_KonfigAusDateiLaden, tab.cmd_KonfigDrucken);
}
