#pragma once

// The command line's terminal: output for scripts on stdout, messages on stderr, and a progress bar
// on stderr when that is a terminal.

#include "LinkEngine.h"
#include "MessageBoxes.h"

#include <QElapsedTimer>
#include <QString>

namespace konsole {

// One line on stdout.
void ausgeben(const QString& zeile);
// A message on stderr; CR LF inside it become line breaks.
void melden(const QString& text);

} // namespace konsole

// The program's message boxes, as messages on stderr: a question is answered with its default.
class KonsolenMeldungen final : public platform::MessageBoxes {
public:
    platform::Reply show(const QString& text, platform::Icon icon, platform::Buttons buttons,
                         platform::Default standard) override;
};

// A transfer's progress as a bar with the bytes and the seconds left, redrawn in place.
class Fortschrittsanzeige {
public:
    // Draws nothing when stderr is no terminal.
    Fortschrittsanzeige();
    void anzeigen(const kommunikation::Effekt& effekt);

private:
    void zeichnen(int bytes);

    bool terminal;
    QString zeilenende;
    int maximum = 0;
    QElapsedTimer seit;
};
