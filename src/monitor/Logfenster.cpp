#include "Logfenster.h"

#include <QPlainTextEdit>
#include <QTextCursor>

Logfenster::Logfenster(QPlainTextEdit& txt_Log) : txt_Log(txt_Log) {}

void Logfenster::anhängen(const QString& text)
{
    inhalt += text;
    QString zeilen = text;
    zeilen.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QTextCursor ende(txt_Log.document());
    ende.movePosition(QTextCursor::End);
    ende.insertText(zeilen);
}
