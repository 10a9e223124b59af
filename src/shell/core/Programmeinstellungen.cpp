#include "Programmeinstellungen.h"

#include "SettingsStore.h"

namespace shell {

namespace {

const QString Gruppe = QStringLiteral("Settings");

// The store keeps a number as one character whose code is the number.
QString alsZeichen(int code)
{
    return QString(QChar(char16_t(code)));
}

} // namespace

Ladeergebnis EinstellungenLaden(const platform::SettingsStore& store, Programmeinstellungen& einstellungen)
{
    const QString comport = store.value(Gruppe, QStringLiteral("Comport"));
    if (comport.isEmpty())
        return {};
    einstellungen.ComportNummer = comport.at(0).unicode();
    einstellungen.FirmwarePfad = store.value(Gruppe, QStringLiteral("Firmwaredateiname"));
    einstellungen.BustreiberPfad = store.value(Gruppe, QStringLiteral("Bustreiberdateiname"));
    einstellungen.Druckername = store.value(Gruppe, QStringLiteral("Drucker"));
    const QString autoScroll = store.value(Gruppe, QStringLiteral("LogAutoScroll"));
    return {true, autoScroll.isEmpty() || autoScroll.at(0).unicode() != 0};
}

void EinstellungenSpeichern(platform::SettingsStore& store, const Programmeinstellungen& einstellungen,
                            bool logAutoScroll)
{
    store.setValue(Gruppe, QStringLiteral("Comport"), alsZeichen(einstellungen.ComportNummer));
    store.setValue(Gruppe, QStringLiteral("Firmwaredateiname"), einstellungen.FirmwarePfad);
    store.setValue(Gruppe, QStringLiteral("Bustreiberdateiname"), einstellungen.BustreiberPfad);
    store.setValue(Gruppe, QStringLiteral("LogAutoScroll"), alsZeichen(logAutoScroll ? 1 : 0));
    store.setValue(Gruppe, QStringLiteral("Drucker"), einstellungen.Druckername);
}

QString Dateibeschriftung(const QString& pfad)
{
    if (pfad.size() <= 93)
        return pfad;
    return QStringLiteral("...") + pfad.right(90);
}

} // namespace shell
