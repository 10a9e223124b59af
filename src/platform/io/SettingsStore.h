#pragma once

#include <QString>

namespace platform {

// The per-user settings store: string values under a group and a key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual bool contains(const QString& group, const QString& key) const = 0;
    virtual QString value(const QString& group, const QString& key) const = 0;
    virtual void setValue(const QString& group, const QString& key, const QString& value) = 0;
};

} // namespace platform
