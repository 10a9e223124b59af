#include "TelefonbuchDateibefehle.h"

#include "Dateien.h"
#include "MessageBoxes.h"
#include "Printers.h"
#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"
#include "Telefonbuchdatei.h"

#include <QPushButton>

namespace {

const QString Art = QStringLiteral("Telefonbuchdatei");

} // namespace

TelefonbuchDateibefehle::TelefonbuchDateibefehle(TelefonbuchTab& tab, platform::MessageBoxes& meldungen,
                                                 platform::FileDialogs& dateidialoge,
                                                 platform::Printers& drucker, QObject* parent)
    : QObject(parent), tab(tab), meldungen(meldungen),
      cdia_Telbuch(dateidialoge, QStringLiteral("Welko Klingport Telefonbuch (*.kpb)|*.kpb")),
      drucker(drucker)
{
    connect(tab.cmd_TelbuchInDateiSpeichern, &QPushButton::clicked, this,
            &TelefonbuchDateibefehle::cmd_TelbuchInDateiSpeichern_Click);
    connect(tab.cmd_TelbuchAusDateiLaden, &QPushButton::clicked, this,
            &TelefonbuchDateibefehle::cmd_TelbuchAusDateiLaden_Click);
    connect(tab.cmd_TelbuchDrucken, &QPushButton::clicked, this,
            &TelefonbuchDateibefehle::cmd_TelbuchDrucken_Click);
}

void TelefonbuchDateibefehle::cmd_TelbuchInDateiSpeichern_Click()
{
    const QString name = cdia_Telbuch.speichern();
    if (!name.isEmpty())
        TelefonbuchDateiSchreiben(name);
}

void TelefonbuchDateibefehle::cmd_TelbuchAusDateiLaden_Click()
{
    const QString name = cdia_Telbuch.öffnen();
    if (!name.isEmpty())
        TelefonbuchDateiLesen(name);
}

QString TelefonbuchDateibefehle::TelefonbuchAlsText()
{
    const QString text = ::TelefonbuchAlsText(tab.modell().telefonbuch());
    tab.zeileMarkieren(tab.aktuelleZeile(), 7, 1);
    return text;
}

void TelefonbuchDateibefehle::TelefonbuchDateiSchreiben(const QString& name)
{
    const int zeile = tab.aktuelleZeile();
    platform::dateiSpeichern(meldungen, Art, name, TelefonbuchDateiinhalt(tab.modell().telefonbuch()));
    tab.zeileMarkieren(zeile);
}

void TelefonbuchDateibefehle::TelefonbuchDateiLesen(const QString& name)
{
    const std::optional<QByteArray> datei = platform::dateiLaden(meldungen, Art, name);
    if (!datei)
        return;
    const auto gelesen = TelefonbuchAusDatei(*datei);
    if (const auto* fehler = std::get_if<Telefonbuchfehler>(&gelesen)) {
        meldungen.show(fehler->meldung(name), platform::Icon::Exclamation);
        return;
    }
    const int zeile = tab.aktuelleZeile();
    tab.modell().setTelefonbuch(std::get<Telefonbuch>(gelesen));
    tab.zeileMarkieren(zeile);
}

void TelefonbuchDateibefehle::cmd_TelbuchDrucken_Click()
{
    if (!(drucker.setFontName(QStringLiteral("Courier New")) &&
          drucker.setOrientation(QPageLayout::Landscape) && drucker.setFontSize(8) &&
          drucker.print(TelefonbuchAlsText()) && drucker.endDocument()))
        platform::DruckerFehlerMelden(drucker, meldungen);
}
