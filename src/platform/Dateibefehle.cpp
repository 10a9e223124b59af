#include "Dateibefehle.h"

#include "Dateien.h"
#include "MessageBoxes.h"
#include "Printers.h"

#include <QAbstractButton>

namespace platform {

Dateibefehle::Dateibefehle(Dateiinhalt inhalt, MessageBoxes& meldungen, FileDialogs& dateidialoge,
                           Printers& drucker, QObject* parent)
    : QObject(parent), inhalt(std::move(inhalt)), meldungen(meldungen),
      dialog(dateidialoge, this->inhalt.filter), druckdatei(dateidialoge, this->inhalt.druckdatei),
      drucker(drucker)
{
}

void Dateibefehle::verbinden(QAbstractButton* speichern, QAbstractButton* laden, QAbstractButton* drucken)
{
    connect(speichern, &QAbstractButton::clicked, this, &Dateibefehle::InDateiSpeichern_Click);
    connect(laden, &QAbstractButton::clicked, this, &Dateibefehle::AusDateiLaden_Click);
    connect(drucken, &QAbstractButton::clicked, this, &Dateibefehle::Drucken_Click);
}

void Dateibefehle::InDateiSpeichern_Click()
{
    const QString name = dialog.speichern();
    if (!name.isEmpty())
        DateiSchreiben(name);
}

void Dateibefehle::AusDateiLaden_Click()
{
    const QString name = dialog.öffnen();
    if (!name.isEmpty())
        DateiLesen(name);
}

void Dateibefehle::DateiSchreiben(const QString& name)
{
    if (const QString abgelehnt = inhalt.prüfen ? inhalt.prüfen() : QString(); !abgelehnt.isEmpty()) {
        meldungen.show(abgelehnt, Icon::Exclamation);
        return;
    }
    dateiSpeichern(meldungen, inhalt.art, name, inhalt.schreiben());
}

void Dateibefehle::DateiLesen(const QString& name)
{
    const std::optional<QByteArray> datei = dateiLaden(meldungen, inhalt.art, name);
    if (!datei)
        return;
    if (const QString abgelehnt = inhalt.lesen(*datei, name); !abgelehnt.isEmpty())
        meldungen.show(abgelehnt, Icon::Exclamation);
}

void Dateibefehle::Drucken_Click()
{
    if (!druckdatei.wählen(drucker))
        return;
    if (!(drucker.setFontName(QStringLiteral("Courier New")) &&
          (!inhalt.ausrichtung || drucker.setOrientation(*inhalt.ausrichtung)) &&
          drucker.setFontSize(inhalt.schriftgröße) && drucker.print(inhalt.drucktext()) &&
          drucker.endDocument()))
        DruckerFehlerMelden(drucker, meldungen);
}

} // namespace platform
