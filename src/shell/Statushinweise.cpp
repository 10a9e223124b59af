#include "Statushinweise.h"

#include <QMouseEvent>
#include <QStatusBar>
#include <QWidget>

Statushinweise::Statushinweise(QStatusBar& leiste, QObject* parent) : QObject(parent), leiste(leiste) {}

void Statushinweise::hinweis(QWidget* control, const QString& text)
{
    beobachten(control, [text] { return text; });
}

void Statushinweise::hinweis(QWidget* control, std::function<QString()> text)
{
    beobachten(control, std::move(text));
}

void Statushinweise::leeren(QWidget* control)
{
    beobachten(control, [] { return QString(); });
}

void Statushinweise::behalten(QWidget* control)
{
    beobachten(control, {});
}

void Statushinweise::beobachten(QWidget* control, std::function<QString()> text)
{
    if (!control)
        return;
    if (!hinweise.contains(control)) {
        control->setMouseTracking(true);
        control->installEventFilter(this);
    }
    hinweise.insert(control, std::move(text));
}

bool Statushinweise::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseMove || static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton)
        return false;
    const auto eintrag = hinweise.constFind(watched);
    if (eintrag == hinweise.constEnd())
        return false;
    if (*eintrag)
        leiste.showMessage((*eintrag)());
    // The control under the mouse has had its say; its frame must not overrule it.
    return true;
}
