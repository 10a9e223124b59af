#pragma once

#include "SettingsStore.h"

#include <QSettings>

namespace platform {

// QSettings per user under the application's title; a file path instead gives a store of its own
// (the demonstration run and tests use that so that a user's real settings stay untouched).
class QtSettingsStore final : public SettingsStore {
public:
    explicit QtSettingsStore(const QString& application);
    static QtSettingsStore atFile(const QString& path);

    bool contains(const QString& group, const QString& key) const override;
    QString value(const QString& group, const QString& key) const override;
    void setValue(const QString& group, const QString& key, const QString& value) override;
    // Where the values live: the key of this store's single-instance guard.
    QString location() const { return settings.fileName(); }

private:
    struct AtFile {};
    QtSettingsStore(AtFile, const QString& path);

    mutable QSettings settings;
};

} // namespace platform
