#pragma once

#include <QString>
#include <QStringList>

namespace platform {

enum class Icon { None, Critical, Exclamation, Information, Question };
enum class Buttons { Ok, OkCancel, YesNo };
enum class Reply { Ok, Cancel, Yes, No };
// The button that Enter presses: the first (OK, Yes) or the second (Abbrechen, Nein).
enum class Default { First, Second };

// Message boxes with the application's title; tests replace them with a fake that records each one.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual Reply show(const QString& text, Icon icon, Buttons buttons = Buttons::Ok,
                       Default standard = Default::First) = 0;
};

// Answers every box at once with OK or Yes, for tools that run the program unattended.
class AnsweringMessageBoxes final : public MessageBoxes {
public:
    Reply show(const QString& text, Icon, Buttons buttons, Default) override
    {
        shown.append(text);
        return buttons == Buttons::YesNo ? Reply::Yes : Reply::Ok;
    }
    QStringList shown;
};

} // namespace platform
