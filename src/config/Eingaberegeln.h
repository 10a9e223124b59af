#pragma once

#include "Eingabe.h"

#include <QList>
#include <QObject>

class QLineEdit;

namespace platform {
class MessageBoxes;
}

// Holds text boxes to their rules however text reaches them, typed, pasted, dropped or undone: an
// edit that breaks a rule is taken back with the rule's message, and what is inserted is cut to the
// box's length. Text the program sets is shown as it is.
class Eingaberegeln : public QObject {
public:
    Eingaberegeln(platform::MessageBoxes& meldungen, QObject* parent);

    void überwachen(QLineEdit* box, Feldart art, int grenze);

private:
    struct Feld {
        QLineEdit* box;
        Feldart art;
        int grenze;
        QString bestätigt; // the text before the edit being reported
    };
    void bearbeitet(Feld& feld);

    platform::MessageBoxes& meldungen;
    QList<Feld> felder;
};
