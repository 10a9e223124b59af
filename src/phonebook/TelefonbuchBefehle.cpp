#include "TelefonbuchBefehle.h"

#include "Abbilduebertragung.h"
#include "Fenstersperre.h"
#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"
#include "Telefonbuchbereich.h"
#include "frm_Telbuch.h"

#include <QMenu>
#include <QPushButton>
#include <QTableView>

using kommunikation::Ergebnis;
using platform::Icon;

TelefonbuchBefehle::TelefonbuchBefehle(TelefonbuchTab& tab, Befehlsumgebung umgebung,
                                       std::function<bool()> verzögert, QObject* parent)
    : QObject(parent), tab(tab), u(umgebung), verzögert(std::move(verzögert))
{
    connect(&tab, &TelefonbuchTab::bearbeitenAngefordert, this, &TelefonbuchBefehle::EintragBearbeiten);
    connect(tab.cmd_TelbuchAusAnlageLaden, &QPushButton::clicked, this,
            &TelefonbuchBefehle::cmd_TelbuchAusAnlageLaden_Click);
    connect(tab.cmd_TelbuchInAnlageSpeichern, &QPushButton::clicked, this,
            &TelefonbuchBefehle::cmd_TelbuchInAnlageSpeichern_Click);
    connect(tab.cmd_TelbuchAusAnlageLoeschen, &QPushButton::clicked, this,
            &TelefonbuchBefehle::cmd_TelbuchAusAnlageLoeschen_Click);
    connect(tab.cmd_TelbuchLöschen, &QPushButton::clicked, this, [this] { EintragLöschen(7); });
    connect(tab.flexmenü->actions().at(1), &QAction::triggered, this, [this] { EintragLöschen(4); });
    connect(tab.Cmd_RufInformationAbholen, &QPushButton::clicked, this,
            &TelefonbuchBefehle::Cmd_RufInformationAbholen_Click);
}

TelefonbuchBefehle::~TelefonbuchBefehle()
{
    delete telbuch; // the editor goes with the main window
}

void TelefonbuchBefehle::EintragBearbeiten()
{
    if (!telbuch)
        telbuch = new frm_Telbuch(tab, u.hauptfenster, u.meldungen, verzögert);
    telbuch->show();
    telbuch->raise();
    telbuch->activateWindow();
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
    Fenstersperre sperre(u.hauptfenster);
    const std::optional<QByteArray> gelesen = AbbildZumSpeichernLesen(u);
    if (!gelesen)
        return;

    const QByteArray abbild = TelefonbuchInAbbild(*gelesen, tab.modell().telefonbuch());
    // Building the image walks the grid to its last cell, which stays current.
    tab.zelleSetzen(Telefonbucheinträge, 1);
    AbbildSenden(u, abbild, QStringLiteral("Telefonbuch"));
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

void TelefonbuchBefehle::Cmd_RufInformationAbholen_Click()
{
    if (!tab.MSFlexGrid1->currentIndex().isValid()) {
        u.melden("Bitte markieren Sie einen Telefonbucheintrag", Icon::Exclamation);
        return;
    }
    const int eintrag = tab.aktuelleZeile();
    tab.zelleSetzen(eintrag, TelefonbuchModell::Türstation);
    // A cell that is no number has no door station.
    const int türstation = tab.modell().eintrag(eintrag).Türstation.toInt();
    if (türstation <= 0) {
        u.melden("Bitte vergeben Sie im Telefonbuch für den markierten Eintrag eine gültige "
                 "Türstationsnummer (1-9)",
                 Icon::Exclamation);
        tab.zeileMarkieren(eintrag);
        return;
    }
    kommunikation::VerbindungVorbereiten(u.link);
    const QDateTime stempel = u.stempel();
    Fenstersperre sperre(u.hauptfenster);
    const kommunikation::Antwort antwort = u.link.RufInformationAbholen(eintrag, türstation);
    switch (antwort.ergebnis) {
    case Ergebnis::Timeout:
        u.loggen(stempel, " Rufinformation abholen wegen Timeout abgebrochen");
        u.melden("Ruftaste konnte nicht eingelernt werden.\r\n", Icon::Critical);
        return;
    case Ergebnis::Transferfehler: // only a broken line gives it; it is no answer
        u.loggen(stempel, " Rufinformation abholen wegen Übertragungsfehlern abgebrochen");
        u.melden("Ruftaste konnte nicht eingelernt werden.\r\n", Icon::Critical);
        return;
    case Ergebnis::Belegt:
        u.loggen(stempel, " Rufinformation abholen nicht möglich, da die Schnittstelle belegt ist");
        u.belegtMelden();
        return;
    case Ergebnis::Erfolg:
        break;
    }
    u.loggen(stempel, " Rufinformation erfolgreich abgeholt");
    const std::optional<QString> adresse = RuftastenAdresse(antwort.daten);
    if (!adresse) {
        u.loggen(stempel, " Rufinformation sind Fehlerhaft ");
        u.melden("Rufinformationen fehlerhaft!", Icon::Critical);
        return;
    }
    Telefonbucheintrag geändert = tab.modell().eintrag(eintrag);
    geändert.Adresse = *adresse;
    geändert.Tastercode = QStringLiteral("gefangen");
    tab.modell().setEintrag(eintrag, geändert);
    tab.zelleSetzen(eintrag, TelefonbuchModell::Adresse);
    u.melden("Ruf erfolgreich eingelernt!\r\nBitte beachten Sie, dass eventuell eingetragene Rufnummern im "
             "Telefonbuch noch nicht im Klingport gespeichert sind",
             Icon::Information);
}
