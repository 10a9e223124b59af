#pragma once

#include <QByteArray>

namespace kommunikation {

// Outcome of a link operation; the codes are those the rest of the program words as messages.
enum class Ergebnis : quint8 {
    Erfolg = 0,
    Timeout = 1,
    Transferfehler = 2,
    Belegt = 3,
};

// The outcome in a word, for tools and diagnostics.
constexpr const char* text(Ergebnis ergebnis)
{
    switch (ergebnis) {
    case Ergebnis::Erfolg:
        return "ok";
    case Ergebnis::Timeout:
        return "time-out";
    case Ergebnis::Transferfehler:
        return "transfer error";
    case Ergebnis::Belegt:
        return "busy";
    }
    return "?";
}

// Result of an operation that hands data on: the code and, only on success, the payload.
// A payload whose first byte is 1, 2 or 3 is still a payload; callers test `ergebnis`, never the bytes.
struct Antwort {
    Ergebnis ergebnis = Ergebnis::Erfolg;
    QByteArray daten;

    bool erfolgreich() const { return ergebnis == Ergebnis::Erfolg; }
    int code() const { return static_cast<int>(ergebnis); }
};

} // namespace kommunikation
