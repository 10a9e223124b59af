#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

class QStatusBar;
class QWidget;

// The one-line hints of the status bar: moving the mouse over a control shows its hint, over some
// frames clears it, and over every other control leaves the last hint standing.
class Statushinweise : public QObject {
public:
    explicit Statushinweise(QStatusBar& leiste, QObject* parent = nullptr);

    void hinweis(QWidget* control, const QString& text);
    // A hint that depends on the window's state at the moment of the movement.
    void hinweis(QWidget* control, std::function<QString()> text);
    void leeren(QWidget* control);
    void behalten(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void beobachten(QWidget* control, std::function<QString()> text);

    QStatusBar& leiste;
    // Per control: the hint to show; an empty function keeps the last hint.
    QHash<const QObject*, std::function<QString()>> hinweise;
};
