#include "Sicherungsinhalt.h"

#include "Geraeteabbild.h"
#include "Konfigurationsbereich.h"
#include "Telefonbuchbereich.h"

#include <QStringList>
#include <algorithm>

Konfiguration AngezeigteKonfiguration(const QByteArray& abbild)
{
    return KonfigurationWieAngezeigt(KonfigurationAusAbbild(abbild, Werkseinstellungen().masterumleitung));
}

int BelegteEinträge(const Telefonbuch& telefonbuch)
{
    return int(std::count_if(telefonbuch.begin(), telefonbuch.end(),
                             [](const Telefonbucheintrag& e) { return !(e == Telefonbucheintrag{}); }));
}

Sicherungsinhalt SicherungsinhaltLesen(const QByteArray& abbild)
{
    if (abbild.size() != abbild::Größe)
        return {};
    return {true, AngezeigteKonfiguration(abbild), BelegteEinträge(TelefonbuchAusAbbild(abbild))};
}

QStringList Sicherungsangaben(const Sicherungsinhalt& inhalt)
{
    if (!inhalt.lesbar)
        return {QStringLiteral("unlesbar"), {}, {}, {}};
    const Konfiguration& k = inhalt.konfiguration;
    const QString art =
        k.anschlussart == Anschlussart::Amtsanschluss ? QStringLiteral("Amt") : QStringLiteral("Nebenstelle");
    const QString master = k.Masterumleitungsnummer.isEmpty() ? QStringLiteral("keine Masterumleitung")
                                                              : k.Masterumleitungsnummer;
    const QString einträge = inhalt.belegteEinträge == 1
                                 ? QStringLiteral("1 Eintrag")
                                 : QStringLiteral("%1 Einträge").arg(inhalt.belegteEinträge);
    return {art, k.LokaleRufzeit + QStringLiteral(" s"), master, einträge};
}

QString SicherungZusammenfassen(const Sicherungsinhalt& inhalt)
{
    const QStringList angaben = Sicherungsangaben(inhalt);
    return inhalt.lesbar ? angaben.join(QStringLiteral(" · ")) : angaben.first();
}
