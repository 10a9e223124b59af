#include "Printers.h"

#include "MessageBoxes.h"
#include "Seitendruck.h"

#include <utility>

namespace platform {

QStringList Printers::installed() const
{
    QStringList alle = systemdrucker();
    alle.removeAll(PdfDatei); // a system printer of that name would be listed twice
    alle.append(PdfDatei);
    return alle;
}

void Printers::setCurrent(const QString& name)
{
    if (name == aktueller || !(name.isEmpty() || installed().contains(name)))
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
    const QString datei = std::exchange(druckdatei, {});
    if (dokument.text.isEmpty())
        return true;
    return aktueller == PdfDatei ? pdfSchreiben(datei, dokument) : ausgeben(dokument);
}

void Printers::abortDocument()
{
    offen.text.clear();
    druckdatei.clear();
}

void DruckerFehlerMelden(Printers& drucker, MessageBoxes& meldungen)
{
    drucker.abortDocument();
    meldungen.show(QStringLiteral("Drucker Fehler"), Icon::Critical);
}

} // namespace platform
