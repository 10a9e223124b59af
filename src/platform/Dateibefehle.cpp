#include "Dateibefehle.h"

#include "Dateien.h"
#include "MessageBoxes.h"
#include "Printers.h"

#include <QAbstractButton>

namespace platform {

namespace {

QString alleFilter(const Dateiinhalt& inhalt)
{
    return inhalt.zweitformat ? inhalt.filter + u'|' + inhalt.zweitformat->filter : inhalt.filter;
}

} // namespace

Dateibefehle::Dateibefehle(Dateiinhalt inhalt, MessageBoxes& meldungen, FileDialogs& dateidialoge,
                           Printers& drucker, QObject* parent)
    : QObject(parent), inhalt(std::move(inhalt)), meldungen(meldungen),
      dialog(dateidialoge, alleFilter(this->inhalt)), druckdatei(dateidialoge, this->inhalt.druckdatei),
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
        DateiSchreiben(name, dialog.typ());
}

void Dateibefehle::AusDateiLaden_Click()
{
    const QString name = dialog.öffnen();
    if (!name.isEmpty())
        DateiLesen(name, dialog.typ());
}

const Dateiformat* Dateibefehle::zweitformat(const QString& name, int typ) const
{
    const std::optional<Dateiformat>& zweit = inhalt.zweitformat;
    if (!zweit)
        return nullptr;
    const QString endung = u'.' + QtFileDialogs::endung(zweit->filter);
    return typ == 1 || name.endsWith(endung, Qt::CaseInsensitive) ? &*zweit : nullptr;
}

void Dateibefehle::DateiSchreiben(const QString& name, int typ)
{
    if (const QString abgelehnt = inhalt.prüfen ? inhalt.prüfen() : QString(); !abgelehnt.isEmpty()) {
        meldungen.show(abgelehnt, Icon::Exclamation);
        return;
    }
    const Dateiformat* zweit = zweitformat(name, typ);
    dateiSpeichern(meldungen, inhalt.art, name, zweit ? zweit->schreiben() : inhalt.schreiben());
}

void Dateibefehle::DateiLesen(const QString& name, int typ)
{
    const std::optional<QByteArray> datei = dateiLaden(meldungen, inhalt.art, name);
    if (!datei)
        return;
    const Dateiformat* zweit = zweitformat(name, typ);
    if (const QString abgelehnt = zweit ? zweit->lesen(*datei, name) : inhalt.lesen(*datei, name);
        !abgelehnt.isEmpty())
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
