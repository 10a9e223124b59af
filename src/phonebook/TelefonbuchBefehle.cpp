#include "TelefonbuchBefehle.h"

#include "Abbildlesen.h"
#include "Fenstersperre.h"
#include "Geraeteabbild.h"
#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"
#include "Telefonbuchbereich.h"

#include <QMenu>
#include <QPushButton>

using kommunikation::Ergebnis;
using platform::Icon;

TelefonbuchBefehle::TelefonbuchBefehle(TelefonbuchTab& tab, Befehlsumgebung umgebung, QObject* parent)
    : QObject(parent), tab(tab), u(umgebung)
{
    connect(tab.cmd_TelbuchAusAnlageLaden, &QPushButton::clicked, this,
            &TelefonbuchBefehle::cmd_TelbuchAusAnlageLaden_Click);
    connect(tab.cmd_TelbuchInAnlageSpeichern, &QPushButton::clicked, this,
            &TelefonbuchBefehle::cmd_TelbuchInAnlageSpeichern_Click);
    connect(tab.cmd_TelbuchAusAnlageLoeschen, &QPushButton::clicked, this,
            &TelefonbuchBefehle::cmd_TelbuchAusAnlageLoeschen_Click);
    connect(tab.cmd_TelbuchLöschen, &QPushButton::clicked, this, [this] { EintragLöschen(7); });
    connect(tab.flexmenü->actions().at(1), &QAction::triggered, this, [this] { EintragLöschen(4); });
}

void TelefonbuchBefehle::cmd_TelbuchAusAnlageLaden_Click()
{
    kommunikation::VerbindungVorbereiten(u.link);
    const QDateTime stempel = u.stempel();
    Fenstersperre sperre(u.hauptfenster);
    const std::optional<QByteArray> abbild =
        AbbildLesen(u, stempel, 0,
                    {" Telefonbuchauslesen wegen Timeout abgebrochen",
                     " Telefonbuchauslesen nicht möglich, da die Schnittstelle belegt ist"});
    if (!abbild)
        return;
    u.loggen(stempel, " Telefonbuch erfolgreich ausgelesen");
    tab.TelefonbuchParsAnzeigen(*abbild);
    u.melden("Telefonbuch erfolgreich ausgelesen!", Icon::Information);
}

void TelefonbuchBefehle::cmd_TelbuchInAnlageSpeichern_Click()
{
    kommunikation::VerbindungVorbereiten(u.link);
    TelefonbuchUpload();
}

void TelefonbuchBefehle::TelefonbuchUpload()
{
    const QDateTime gelesenUm = u.stempel();
    Fenstersperre sperre(u.hauptfenster);
    // A store never sends an image built from a partial read.
    const std::optional<QByteArray> gelesen = AbbildLesen(u, gelesenUm, abbild::Größe);
    if (!gelesen)
        return;
    u.loggen(gelesenUm, " Konfiguration erfolgreich ausgelesen");

    const QByteArray abbild = TelefonbuchInAbbild(*gelesen, tab.modell().telefonbuch());
    // Building the image walks the grid to its last cell, which stays current.
    tab.zelleSetzen(Telefonbucheinträge, 1);
    const Ergebnis ergebnis = u.link.KonfigurationSenden(abbild);
    const QDateTime gesendetUm = u.stempel();
    switch (ergebnis) {
    case Ergebnis::Erfolg:
        u.loggen(gesendetUm, " Telefonbuch erfolgreich übertragen");
        u.melden("Übertragung erfolgreich!", Icon::Information);
        break;
    case Ergebnis::Belegt:
        u.loggen(gesendetUm,
                 " Telefonbuch konnte nicht übertragen werden, weil die Schnittstelle belegt ist");
        u.belegtMelden();
        break;
    case Ergebnis::Timeout:
        u.loggen(gesendetUm, " Telefonbuch konnte wegen eines Timeout nicht übertragen werden");
        u.melden("Übertragung wegen Timeout abgebrochen!", Icon::Critical);
        break;
    case Ergebnis::Transferfehler:
        u.loggen(gesendetUm, " Telefonbuch konnte wegen Übertragungsfehlern nicht übertragen werden");
        u.melden("Übertragung wegen Übertragungsfehlern abgebrochen!", Icon::Critical);
        break;
    }
}

void TelefonbuchBefehle::cmd_TelbuchAusAnlageLoeschen_Click()
{
    const platform::Reply antwort =
        u.meldungen.show(QStringLiteral("Möchten Sie wirklich das Telefonbuch löschen?\r\n"
                                        "Achtung: Sie müssen alle Ruftasten neu zuordnen!"),
                         Icon::Critical, platform::Buttons::OkCancel, platform::Default::Second);
    if (antwort != platform::Reply::Ok)
        return;
    tab.TelefonbuchTabelleAufbauen();
    u.melden("Das Telefonbuch wurde gelöscht.\r\nBitte übertragen Sie das leere Telefonbuch mit der Taste "
             "\"In Klingport speichern.\"",
             Icon::Information);
}

void TelefonbuchBefehle::EintragLöschen(int bisSpalte)
{
    const int zeile = tab.aktuelleZeile();
    const platform::Reply antwort =
        u.meldungen.show(QStringLiteral("Möchten Sie den Telefonbucheintrag wirklich löschen?"), Icon::None,
                         platform::Buttons::YesNo);
    if (antwort == platform::Reply::Yes)
        tab.modell().setEintrag(zeile, Telefonbucheintrag{});
    tab.zeileMarkieren(zeile, bisSpalte);
}
