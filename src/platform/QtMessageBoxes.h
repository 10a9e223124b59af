#pragma once

#include "MessageBoxes.h"

#include <QPointer>
#include <QWidget>

namespace platform {

// QMessageBox, modal to the given parent, with German button texts.
class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QString title) : title(std::move(title)) {}

    void setParent(QWidget* widget) { parent = widget; }
    Reply show(const QString& text, Icon icon, Buttons buttons, Default standard) override;

private:
    QString title;
    QPointer<QWidget> parent;
};

} // namespace platform
