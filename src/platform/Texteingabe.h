#pragma once

// What the text boxes with typing rules share: which keys type, the typing limit, and selecting
// the whole text on entering.

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <optional>

namespace texteingabe {

constexpr char16_t Rücktaste = 8;
constexpr char16_t Eingabetaste = 13;

// The character a key types, backspace and Enter included; nothing for keys that type nothing
// (arrows, shortcuts such as copy and paste).
inline std::optional<QChar> getippt(const QKeyEvent& taste)
{
    // Ctrl with a key is a shortcut whatever text comes with it; Ctrl with Alt is AltGr on Windows.
    const Qt::KeyboardModifiers umschalter = taste.modifiers();
    if (umschalter.testFlag(Qt::ControlModifier) && !umschalter.testFlag(Qt::AltModifier))
        return std::nullopt;
    const QString text = taste.text();
    if (text.size() != 1 || (!text[0].isPrint() && text[0] != Rücktaste && text[0] != Eingabetaste))
        return std::nullopt;
    return text[0];
}

// Whether a box holds as many characters as may be typed; a new one may then only replace a
// selection. Text the program sets is never cut to it.
inline bool tippgrenzeErreicht(const QLineEdit& box, int grenze)
{
    return box.text().size() - box.selectedText().size() >= grenze;
}

// Selects the whole text, now and again once a click into the box has placed its caret.
inline void ganzMarkieren(QLineEdit& box)
{
    box.selectAll();
    QTimer::singleShot(0, &box, &QLineEdit::selectAll);
}

// Whether losing the focus leaves the box: switching windows, and message boxes and menus coming up,
// do not, so a repair on leaving cannot run again from its own message.
inline bool verlassen(const QFocusEvent& fokus)
{
    return fokus.reason() != Qt::ActiveWindowFocusReason && fokus.reason() != Qt::PopupFocusReason;
}

} // namespace texteingabe
