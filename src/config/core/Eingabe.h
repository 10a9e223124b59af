#pragma once

// The input rules of the configuration's text boxes and the phone book's number fields.

#include <QString>

// Returns `text` when every character belongs to the mode's class, else "Bitte nur Ziffern eingeben":
// mode 0 the digits; mode 1 the digits, "," "p" "P" "*" "#" "F" "f" and backspace; any other mode
// every character. Callers compare the result with what they passed.
QString EingabePruefen(const QString& text, int modus);

// Whether `zeichen` may be typed into a field of that mode (backspace and Enter always may).
bool TasteErlaubt(QChar zeichen, int modus);

// What a time box shows once it is left: the fallback for a text that is no number or empty,
// otherwise the text with leading zeros to three digits.
struct Zeitfeld {
    QString text;
    bool keineZahl = false; // the text held other characters than digits
};
Zeitfeld ZeitfeldVerlassen(const QString& text, const QString& ersatz);

// Whether typing `ziffer` after `text` makes more than 120 seconds: only for a text of one or two
// digits, with the digit taken as appended at its end.
bool ÜberZweiMinuten(const QString& text, QChar ziffer);
