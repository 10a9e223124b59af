#pragma once

#include "Protokoll.h"

#include <QString>
#include <functional>

class QPlainTextEdit;

// The log: its text exactly as written (CR LF line ends), shown in the log window by appending,
// so a line costs the same however long the log has grown. With auto-scroll the caret follows the
// newest line; without it neither the caret nor the view moves.
class Logfenster final : public platform::Protokoll {
public:
    Logfenster(QPlainTextEdit& txt_Log, std::function<bool()> autoScroll);

    const QString& text() const { return inhalt; }
    void anhängen(const QString& text) override;
    // Replaces the whole log, as clearing and opening a file do.
    void setText(const QString& text);

private:
    void txt_Log_Change();

    QPlainTextEdit& txt_Log;
    std::function<bool()> autoScroll;
    QString inhalt;
};
