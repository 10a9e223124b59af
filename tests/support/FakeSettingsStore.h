#pragma once

#include "SettingsStore.h"

#include <QMap>

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
