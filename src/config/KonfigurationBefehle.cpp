#include "KonfigurationBefehle.h"

#include "Abbilduebertragung.h"
#include "Fenstersperre.h"
#include "KonfigurationTab.h"
#include "Konfigurationsbereich.h"
#include "Konfigurationsdatei.h"

#include <QPushButton>
#include <QRadioButton>

using platform::Icon;

namespace {

// Shorter reads cannot hold a configuration and a phone book.
constexpr qsizetype MindestlängeBeimLaden = 4096;

} // namespace

KonfigurationBefehle::KonfigurationBefehle(KonfigurationTab& tab, Befehlsumgebung umgebung,
                                           std::function<bool()> anrufbeantworterImTelefonbuch,
                                           QObject* parent)
    : QObject(parent), tab(tab), u(umgebung),
      anrufbeantworterImTelefonbuch(std::move(anrufbeantworterImTelefonbuch))
{
    connect(tab.cmd_KonfigAusAnlageLaden, &QPushButton::clicked, this,
            &KonfigurationBefehle::cmd_KonfigAusAnlageLaden_Click);
    connect(tab.cmd_KonfigInAnlageSpeichern, &QPushButton::clicked, this,
            &KonfigurationBefehle::cmd_KonfigInAnlageSpeichern_Click);
    connect(tab.cmd_Werkseinstellungen, &QPushButton::clicked, this,
            &KonfigurationBefehle::cmd_Werkseinstellungen_Click);
    // Selected by the user or by the program, as a load does.
    connect(tab.obu_verzögert, &QRadioButton::toggled, this, [this](bool gewählt) {
        if (gewählt)
            verzögertGewählt();
    });
}

void KonfigurationBefehle::cmd_KonfigAusAnlageLaden_Click()
{
    kommunikation::VerbindungVorbereiten(u.link);
    const QDateTime stempel = u.stempel();
    Fenstersperre sperre(u.hauptfenster);
    const std::optional<QByteArray> abbild = AbbildLesen(u, stempel, MindestlängeBeimLaden);
    if (!abbild)
        return;
    u.loggen(stempel, " Konfiguration erfolgreich ausgelesen");
    tab.KonfigurationParsAnzeigen(*abbild);
    u.melden("Konfiguration erfolgreich ausgelesen!", Icon::Information);
}

void KonfigurationBefehle::cmd_KonfigInAnlageSpeichern_Click()
{
    // A value that breaks its box's rule never reaches the device.
    if (const QString ungültig =
            UngültigeKonfigurationMeldung(tab.angezeigteKonfiguration(), QStringLiteral("übertragen"));
        !ungültig.isEmpty()) {
        u.meldungen.show(ungültig, Icon::Exclamation);
        return;
    }
    kommunikation::VerbindungVorbereiten(u.link);
    KonfigurationUpload();
}

void KonfigurationBefehle::KonfigurationUpload()
{
    Fenstersperre sperre(u.hauptfenster);
    if (const std::optional<QByteArray> gelesen = AbbildZumSpeichernLesen(u))
        AbbildSenden(u, KonfigurationInAbbild(*gelesen, tab.angezeigteKonfiguration()),
                     QStringLiteral("Konfiguration"));
}

void KonfigurationBefehle::cmd_Werkseinstellungen_Click()
{
    const platform::Reply antwort = u.meldungen.show(
        QStringLiteral("Möchten Sie wirklich die Konfiguration auf Werkseinstellung zurücksetzen?"),
        Icon::Critical, platform::Buttons::OkCancel, platform::Default::Second);
    if (antwort != platform::Reply::Ok)
        return;
    tab.KonfigurationWerkseinstellungen();
    u.melden(
        "Konfiguration wurde zurückgesetzt!\r\nBitte übertragen Sie die aktuelle Konfiguration mit der Taste "
        "\"In Klingport speichern.\"",
        Icon::Information);
}

void KonfigurationBefehle::verzögertGewählt()
{
    if (!anrufbeantworterImTelefonbuch())
        return;
    u.melden(
        "Sie haben mindestens in einem Telefonbucheintrag die Anrufbeantworterfunktion aktiviert. \r\n"
        "Eine verzögerte Masterrufumleitung ist in Kombination mit diesem Telefonbucheintrag nicht möglich.",
        Icon::Information);
}
