#include "Eingaberegeln.h"

#include "MessageBoxes.h"

#include <QLineEdit>

Eingaberegeln::Eingaberegeln(platform::MessageBoxes& meldungen, QObject* parent)
    : QObject(parent), meldungen(meldungen)
{
}

void Eingaberegeln::überwachen(QLineEdit* box, Feldart art, int grenze)
{
    felder.append({box, art, grenze, box->text()});
    const qsizetype index = felder.size() - 1;
    // A user's edit is reported before the change it makes; a correction made meanwhile leaves the
    // change reported with the edit's text, so the box itself is read.
    connect(box, &QLineEdit::textChanged, this,
            [this, index] { felder[index].bestätigt = felder[index].box->text(); });
    connect(box, &QLineEdit::textEdited, this, [this, index] { bearbeitet(felder[index]); });
}

void Eingaberegeln::bearbeitet(Feld& feld)
{
    const QString nachher = feld.box->text();
    const Bearbeitung bearbeitung = BearbeitungPrüfen(feld.bestätigt, nachher, feld.art, feld.grenze);
    if (bearbeitung.text != nachher) {
        feld.box->setText(bearbeitung.text);
        feld.box->setCursorPosition(int(bearbeitung.cursor));
    }
    if (!bearbeitung.meldung.isEmpty())
        meldungen.show(bearbeitung.meldung, platform::Icon::Exclamation);
}
