#include "KonfigurationDateibefehle.h"

#include "Dateien.h"
#include "KonfigurationTab.h"
#include "Konfigurationsdatei.h"
#include "MessageBoxes.h"
#include "Printers.h"

#include <QPushButton>

namespace {

const QString Art = QStringLiteral("Konfigurationsdatei");

} // namespace

KonfigurationDateibefehle::KonfigurationDateibefehle(KonfigurationTab& tab, platform::MessageBoxes& meldungen,
                                                     platform::FileDialogs& dateidialoge,
                                                     platform::Printers& drucker, QObject* parent)
    : QObject(parent), tab(tab), meldungen(meldungen),
      cdia_Konfig(dateidialoge, QStringLiteral("Welko Klingport Konfiguration (*.kpk)|*.kpk")),
      drucker(drucker)
{
    connect(tab.cmd_KonfigInDateiSpeichern, &QPushButton::clicked, this,
            &KonfigurationDateibefehle::cmd_KonfigInDateiSpeichern_Click);
    connect(tab.cmd_KonfigAusDateiLaden, &QPushButton::clicked, this,
            &KonfigurationDateibefehle::cmd_KonfigAusDateiLaden_Click);
    connect(tab.cmd_KonfigDrucken, &QPushButton::clicked, this,
            &KonfigurationDateibefehle::cmd_KonfigDrucken_Click);
}

void KonfigurationDateibefehle::cmd_KonfigInDateiSpeichern_Click()
{
    const QString name = cdia_Konfig.speichern();
    if (!name.isEmpty())
        KonfigurationDateiSchreiben(name);
}

void KonfigurationDateibefehle::cmd_KonfigAusDateiLaden_Click()
{
    const QString name = cdia_Konfig.öffnen();
    if (!name.isEmpty())
        KonfigurationDateiLesen(name);
}

void KonfigurationDateibefehle::KonfigurationDateiSchreiben(const QString& name)
{
    platform::dateiSpeichern(meldungen, Art, name, KonfigurationDateiinhalt(tab.angezeigteKonfiguration()));
}

void KonfigurationDateibefehle::KonfigurationDateiLesen(const QString& name)
{
    const std::optional<QByteArray> datei = platform::dateiLaden(meldungen, Art, name);
    if (!datei)
        return;
    const std::optional<Konfiguration> gelesen = KonfigurationAusDatei(*datei, tab.angezeigteKonfiguration());
    if (!gelesen) {
        meldungen.show(KeineKonfigurationMeldung(name), platform::Icon::Exclamation);
        return;
    }
    tab.KonfigurationAnzeigen(*gelesen);
}

void KonfigurationDateibefehle::cmd_KonfigDrucken_Click()
{
    if (!(drucker.setFontName(QStringLiteral("Courier New")) && drucker.setFontSize(10) &&
          drucker.print(KonfigurationDruckText(tab.angezeigteKonfiguration())) && drucker.endDocument()))
        platform::DruckerFehlerMelden(drucker, meldungen);
}
