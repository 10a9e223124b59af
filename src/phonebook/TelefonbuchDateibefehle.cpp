#include "TelefonbuchDateibefehle.h"

#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"
#include "Telefonbuchdatei.h"
#include "Telefonbuchtabelle.h"

#include <QPushButton>

namespace {

using Leser = std::variant<Telefonbuch, Telefonbuchfehler> (*)(QByteArrayView);

// Shows the phone book a file of the format gives, the current entry kept; or gives the message that
// refuses the file.
auto lesenMit(TelefonbuchTab& tab, Leser lesen)
{
    return [&tab, lesen](const QByteArray& datei, const QString& name) {
        const auto gelesen = lesen(datei);
        if (const auto* fehler = std::get_if<Telefonbuchfehler>(&gelesen))
            return fehler->meldung(name);
        const int zeile = tab.aktuelleZeile();
        tab.modell().setTelefonbuch(std::get<Telefonbuch>(gelesen));
        tab.zeileMarkieren(zeile);
        return QString();
    };
}

// The file's bytes in the format; saving leaves the current entry selected across its row.
auto schreibenMit(TelefonbuchTab& tab, QByteArray (*schreiben)(const Telefonbuch&))
{
    return [&tab, schreiben] {
        tab.zeileMarkieren(tab.aktuelleZeile());
        return schreiben(tab.modell().telefonbuch());
    };
}

platform::Dateiinhalt Telefonbuchdatei(TelefonbuchTab& tab)
{
    return {
        .art = QStringLiteral("Telefonbuchdatei"),
        .filter = QStringLiteral("Welko Klingport Telefonbuch (*.kpb)|*.kpb"),
        .prüfen = {}, // the entry editor keeps the entries to the file's rules
        .schreiben = schreibenMit(tab, TelefonbuchDateiinhalt),
        .lesen = lesenMit(tab, TelefonbuchAusDatei),
        // The printout leaves the current entry selected from its first cell on.
        .drucktext =
            [&tab] {
                const QString text = TelefonbuchAlsText(tab.modell().telefonbuch());
                tab.zeileMarkieren(tab.aktuelleZeile(), 7, 1);
                return text;
            },
        .schriftgröße = 8,
        .ausrichtung = QPageLayout::Landscape,
        .druckdatei = QStringLiteral("Telefonbuch.pdf"),
        .zweitformat =
            platform::Dateiformat{
                .filter = QStringLiteral("Tabelle (*.csv)|*.csv"),
                .schreiben = schreibenMit(tab, TelefonbuchAlsTabelle),
                .lesen = lesenMit(tab, TelefonbuchAusTabelle),
            },
    };
}

} // namespace

TelefonbuchDateibefehle::TelefonbuchDateibefehle(TelefonbuchTab& tab, platform::MessageBoxes& meldungen,
                                                 platform::FileDialogs& dateidialoge,
                                                 platform::Printers& drucker, QObject* parent)
    : Dateibefehle(Telefonbuchdatei(tab), meldungen, dateidialoge, drucker, parent)
{
    verbinden(tab.cmd_TelbuchInDateiSpeichern, tab.cmd_TelbuchAusDateiLaden, tab.cmd_TelbuchDrucken);
}
