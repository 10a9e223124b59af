#include "Logfenster.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

namespace {

// The window shows CR LF, and a lone CR, as one line break.
QString zeilenumbrüche(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

Logfenster::Logfenster(QPlainTextEdit& txt_Log, std::function<bool()> autoScroll)
    : txt_Log(txt_Log), autoScroll(std::move(autoScroll))
{
}

void Logfenster::anhängen(const QString& text)
{
    inhalt += text;
    const QTextCursor caret = txt_Log.textCursor();
    const int anker = caret.anchor();
    const int stelle = caret.position();
    const int sicht = txt_Log.verticalScrollBar()->value();
    QTextCursor ende(txt_Log.document());
    ende.movePosition(QTextCursor::End);
    ende.insertText(zeilenumbrüche(text));
    if (autoScroll()) {
        txt_Log_Change();
        return;
    }
    // A caret at the end rides along with the new text; it goes back where it was.
    if (caret.position() != stelle) {
        QTextCursor zurück(txt_Log.document());
        zurück.setPosition(anker);
        zurück.setPosition(stelle, QTextCursor::KeepAnchor);
        txt_Log.setTextCursor(zurück);
    }
    txt_Log.verticalScrollBar()->setValue(sicht);
}

void Logfenster::setText(const QString& text)
{
    inhalt = text;
    txt_Log.setPlainText(zeilenumbrüche(text));
    if (autoScroll())
        txt_Log_Change();
}

void Logfenster::txt_Log_Change()
{
    txt_Log.moveCursor(QTextCursor::End);
    txt_Log.ensureCursorVisible();
}
