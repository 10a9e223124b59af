#pragma once

// The command line's terminal: output for scripts on stdout, messages on stderr, and a progress bar
// on stderr when that is a terminal.

#include "LinkEngine.h"
#include "MessageBoxes.h"

#include <QElapsedTimer>
#include <QString>

namespace konsole {

// What a NUL byte of the device's shows as: "␀" (SYMBOL FOR NULL).
inline constexpr QChar NulErsatz{0x2400};

// One line on stdout; false when it could not be written, as into a pipe whose reader has gone.
bool ausgeben(const QString& zeile);
// Whether stdout is a pipe that nobody reads any more, before anything is written into it.
bool ausgabeGeschlossen();
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
