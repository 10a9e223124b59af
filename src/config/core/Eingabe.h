#pragma once

// The input rules of the configuration's text boxes and the phone book's number fields.

#include <QString>

// Returns `text` when every character belongs to the mode's class, else "Bitte nur Ziffern eingeben":
// mode 0 the digits; mode 1 the digits, "," "p" "P" "*" "#" "F" "f" and backspace; any other mode
// every character. Callers compare the result with what they passed.
QString EingabePruefen(const QString& text, int modus);

// Whether `zeichen` may be typed into a field of that mode (backspace and Enter always may).
bool TasteErlaubt(QChar zeichen, int modus);

// What a time box shows once it is left: the fallback for a text that is no number, empty, longer
// than three digits or above 120, otherwise the text with leading zeros to three digits.
struct Zeitfeld {
    QString text;
    bool keineZahl = false; // the text held other characters than digits
    bool zuGroß = false;    // more than three digits, or above 120
};
Zeitfeld ZeitfeldVerlassen(const QString& text, const QString& ersatz);

// Whether typing `ziffer` after `text` makes more than 120 seconds: only for a text of one or two
// digits, with the digit taken as appended at its end.
bool ÜberZweiMinuten(const QString& text, QChar ziffer);

// The rules of a text box that hold however its text changes: typed, pasted, dropped or undone.
enum class Feldart {
    Zeit,        // digits, at most 120
    PIN,         // digits
    Wahlnummer,  // the dialling set: digits and , p P * # F f
    Bezeichnung, // what the device can store: Windows-1252 without 0xFF; no TAB or line break
};

// Why a box's whole text breaks its rules, as the box tells it; empty when it keeps them. Lengths are
// the boxes' own business.
QString RegelVerletzt(const QString& text, Feldart art);

// What becomes of an edit that turned `vorher` into `nachher` in a box of at most `grenze`
// characters. What was inserted is cut to what fits, as a box's maximum length cuts a paste; a name
// takes the TABs and line breaks of what was inserted as blanks, and none at its end. A result that
// breaks the box's rules is refused: the box keeps `vorher` and the user is told why.
struct Bearbeitung {
    QString text;
    qsizetype cursor = 0; // behind what was inserted
    QString meldung;      // why it was refused; empty when it was taken
};
Bearbeitung BearbeitungPrüfen(const QString& vorher, const QString& nachher, Feldart art, int grenze);
