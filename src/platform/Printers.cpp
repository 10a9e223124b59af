#include "Printers.h"

#include "MessageBoxes.h"

namespace platform {

void Printers::setCurrent(const QString& name)
{
    if (name == aktueller || !installed().contains(name))
        return;
    aktueller = name;
    offen = {};
}

bool Printers::setFontName(const QString& name)
{
    offen.schriftart = name;
    return bereit();
}

bool Printers::setFontSize(qreal punkte)
{
    offen.schriftgröße = punkte;
    return bereit();
}

bool Printers::setOrientation(QPageLayout::Orientation ausrichtung)
{
    offen.ausrichtung = ausrichtung;
    return bereit();
}

bool Printers::print(const QString& text)
{
    if (!bereit())
        return false;
    offen.text += text + QLatin1String("\r\n");
    return true;
}

bool Printers::endDocument()
{
    if (!bereit())
        return false;
    Druckdokument dokument = offen;
    dokument.drucker = aktueller;
    offen.text.clear();
    return dokument.text.isEmpty() || ausgeben(dokument);
}

void Printers::abortDocument()
{
    offen.text.clear();
}

void DruckerFehlerMelden(Printers& drucker, MessageBoxes& meldungen)
{
    drucker.abortDocument();
    meldungen.show(QStringLiteral("Drucker Fehler"), Icon::Critical);
}

} // namespace platform
