#pragma once

// Creating controls under their given names, so that hints and tests find them by those names.

#include <QGroupBox>
#include <QHBoxLayout>
#include <QString>
#include <QVBoxLayout>
#include <QWidget>
#include <initializer_list>

namespace steuerelemente {

template <typename T> T* anlegen(QWidget* parent, const char* name, const char* beschriftung = "")
{
    auto* element = new T(QString::fromUtf8(beschriftung), parent);
    element->setObjectName(QString::fromUtf8(name));
    return element;
}

// Stacks (or lines up) the widgets in a new frame; option buttons sharing a frame are exclusive by
// that alone.
inline QGroupBox* rahmen(QWidget* parent, const char* name, const char* titel,
                         std::initializer_list<QWidget*> inhalt, Qt::Orientation richtung = Qt::Vertical)
{
    auto* box = anlegen<QGroupBox>(parent, name, titel);
    QBoxLayout* layout =
        richtung == Qt::Vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(box)) : new QHBoxLayout(box);
    for (QWidget* element : inhalt)
        layout->addWidget(element);
    return box;
}

} // namespace steuerelemente
