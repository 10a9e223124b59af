#pragma once

#include "SettingsStore.h"

#include <QMap>

// A stored number as the settings keep it: one character whose code is the number.
inline QString zeichen(int code)
{
    return QString(QChar(char16_t(code)));
}

// An in-memory settings store.
class FakeSettingsStore : public platform::SettingsStore {
public:
    QMap<QString, QString> values; // "group/key" -> value

    bool contains(const QString& group, const QString& key) const override
    {
        return values.contains(group + '/' + key);
    }
    QString value(const QString& group, const QString& key) const override
    {
        return values.value(group + '/' + key);
    }
    void setValue(const QString& group, const QString& key, const QString& value) override
    {
        values.insert(group + '/' + key, value);
    }
};
