#pragma once

#include <QPointer>
#include <QWidget>

// Locks a window for the span of a device operation: disabled while it lives, then enabled again
// and brought to the front, whichever way the operation ends.
class Fenstersperre {
public:
    explicit Fenstersperre(QWidget& fenster) : fenster(&fenster) { fenster.setEnabled(false); }
    ~Fenstersperre()
    {
        if (!fenster)
            return;
        fenster->setEnabled(true);
        fenster->show();
        fenster->raise();
        fenster->activateWindow();
    }
    Fenstersperre(const Fenstersperre&) = delete;
    Fenstersperre& operator=(const Fenstersperre&) = delete;

private:
    QPointer<QWidget> fenster;
};
