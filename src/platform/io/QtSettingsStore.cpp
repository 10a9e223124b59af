#include "QtSettingsStore.h"

namespace platform {

namespace {
QString keyPath(const QString& group, const QString& key)
{
    return group + QLatin1Char('/') + key;
}
} // namespace

QtSettingsStore::QtSettingsStore(const QString& application)
    : settings(QSettings::NativeFormat, QSettings::UserScope, application, application)
{
}

QtSettingsStore::QtSettingsStore(AtFile, const QString& path) : settings(path, QSettings::IniFormat) {}

QtSettingsStore QtSettingsStore::atFile(const QString& path)
{
    return QtSettingsStore(AtFile{}, path);
}

bool QtSettingsStore::contains(const QString& group, const QString& key) const
{
    return settings.contains(keyPath(group, key));
}

QString QtSettingsStore::value(const QString& group, const QString& key) const
{
    return settings.value(keyPath(group, key)).toString();
}

void QtSettingsStore::setValue(const QString& group, const QString& key, const QString& value)
{
    settings.setValue(keyPath(group, key), value);
    settings.sync();
}

} // namespace platform
