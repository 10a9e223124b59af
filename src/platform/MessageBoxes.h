#pragma once

#include <QString>

namespace platform {

enum class Icon { None, Critical, Exclamation, Information, Question };
enum class Buttons { Ok, OkCancel, YesNo };
enum class Reply { Ok, Cancel, Yes, No };

// Message boxes with the application's title; tests replace them with a fake that records each one.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual Reply show(const QString& text, Icon icon, Buttons buttons = Buttons::Ok) = 0;
};

} // namespace platform
