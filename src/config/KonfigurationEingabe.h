#pragma once

#include <QList>
#include <QObject>

class KonfigurationTab;
class QLineEdit;

namespace platform {
class MessageBoxes;
}

// The typing, focus and leaving rules of the configuration tab's five text boxes. Keys outside a
// box's characters are refused with a message; a box selects its whole text when it gets the focus;
// leaving a box repairs what reached it without typing, such as pasted text. The typing limits
// hold for typing only: what the program sets is shown whole.
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
        int grenze;     // characters that may be typed
        QString ersatz; // what a time box falls back to
    };

    bool tasteGedrückt(const Feld& feld, QChar taste);
    void verlassen(const Feld& feld);
    void melden(const char* text);

    platform::MessageBoxes& meldungen;
    QList<Feld> felder;
};
