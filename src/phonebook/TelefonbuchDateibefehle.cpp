#include "TelefonbuchDateibefehle.h"

#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"
#include "Telefonbuchdatei.h"

#include <QPushButton>

namespace {

platform::Dateiinhalt Telefonbuchdatei(TelefonbuchTab& tab)
{
    return {
        .art = QStringLiteral("Telefonbuchdatei"),
        .filter = QStringLiteral("Welko Klingport Telefonbuch (*.kpb)|*.kpb"),
        .prüfen = {}, // the entry editor keeps the entries to the file's rules
        .schreiben =
            [&tab] {
                tab.zeileMarkieren(tab.aktuelleZeile());
                return TelefonbuchDateiinhalt(tab.modell().telefonbuch());
            },
        .lesen =
            [&tab](const QByteArray& datei, const QString& name) {
                const auto gelesen = TelefonbuchAusDatei(datei);
                if (const auto* fehler = std::get_if<Telefonbuchfehler>(&gelesen))
                    return fehler->meldung(name);
                const int zeile = tab.aktuelleZeile();
                tab.modell().setTelefonbuch(std::get<Telefonbuch>(gelesen));
                tab.zeileMarkieren(zeile);
                return QString();
            },
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
