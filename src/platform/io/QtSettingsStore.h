#pragma once

#include "SettingsStore.h"

#include <QSettings>
#include <optional>

namespace platform {

// The per-user store under the application's title: QSettings' own on Linux; on Windows the registry
// key the program's settings have always lived under, "HKEY_CURRENT_USER\Software\VB and VBA Program
// Settings\<title>\<group>", every value a string (REG_SZ). A file path instead gives a store of its own
// (the demonstration run and tests use that so that a user's real settings stay untouched).
class QtSettingsStore final : public SettingsStore {
public:
    explicit QtSettingsStore(const QString& application);
    static QtSettingsStore atFile(const QString& path);

    bool contains(const QString& group, const QString& key) const override;
    QString value(const QString& group, const QString& key) const override;
    void setValue(const QString& group, const QString& key, const QString& value) override;
    // Where the values live: the key of this store's single-instance guard.
    QString location() const;

private:
    struct AtFile {};
    QtSettingsStore(AtFile, const QString& path);
    // The registry key of a group on Windows.
    QString registryGroup(const QString& group) const;

    mutable std::optional<QSettings> settings; // none for the Windows registry
    QString registryKey;
};

} // namespace platform
