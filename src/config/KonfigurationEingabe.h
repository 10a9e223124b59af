#pragma once

#include "Eingaberegeln.h"

#include <QList>
#include <QObject>

class KonfigurationTab;
class QLineEdit;

namespace platform {
class MessageBoxes;
}

// The typing, focus and leaving rules of the configuration tab's five text boxes. Keys outside a
// box's characters are refused with a message, and so is any other edit that breaks a box's rules
// (pasted or dropped text, a digit typed into the middle of a time); a box selects its whole text
// when it gets the focus; leaving a box repairs what the program set there. The length limits hold
// for the user's edits only: what the program sets is shown whole.
class KonfigurationEingabe : public QObject {
public:
    KonfigurationEingabe(KonfigurationTab& tab, platform::MessageBoxes& meldungen, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    enum class Art { Zeit, PIN, Nummer };
    struct Feld {
        QLineEdit* box;
        Art art;
        int grenze;     // characters a user may enter
        QString ersatz; // what a time box falls back to
    };

    bool tasteGedrückt(const Feld& feld, QChar taste);
    void verlassen(const Feld& feld);
    void melden(const char* text);

    platform::MessageBoxes& meldungen;
    QList<Feld> felder;
    Eingaberegeln regeln;
};
