#pragma once

#include "Protokoll.h"

#include <QString>

class QPlainTextEdit;

// The log: its text exactly as written (CR LF line ends), shown in the log window by appending,
// so a line costs the same however long the log has grown.
class Logfenster final : public platform::Protokoll {
public:
    explicit Logfenster(QPlainTextEdit& txt_Log);

    const QString& text() const { return inhalt; }
    void anhängen(const QString& text) override;

private:
    QPlainTextEdit& txt_Log;
    QString inhalt;
};
