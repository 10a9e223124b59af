#include "QtSettingsStore.h"

#ifdef Q_OS_WIN
#include "Registry.h"
#endif

namespace platform {

namespace {
QString keyPath(const QString& group, const QString& key)
{
    return group + QLatin1Char('/') + key;
}
} // namespace

QtSettingsStore::QtSettingsStore(const QString& application)
{
#ifdef Q_OS_WIN
    registryKey = QStringLiteral("Software\\VB and VBA Program Settings\\") + application;
#else
    settings.emplace(QSettings::NativeFormat, QSettings::UserScope, application, application);
#endif
}

QtSettingsStore::QtSettingsStore(AtFile, const QString& path)
{
    settings.emplace(path, QSettings::IniFormat);
}

QtSettingsStore QtSettingsStore::atFile(const QString& path)
{
    return QtSettingsStore(AtFile{}, path);
}

bool QtSettingsStore::contains(const QString& group, const QString& key) const
{
#ifdef Q_OS_WIN
    if (!settings)
        return registry::lesen(registry::Wurzel::Benutzer, registryGroup(group), key).has_value();
#endif
    return settings->contains(keyPath(group, key));
}

QString QtSettingsStore::value(const QString& group, const QString& key) const
{
#ifdef Q_OS_WIN
    if (!settings)
        return registry::lesen(registry::Wurzel::Benutzer, registryGroup(group), key).value_or(QString());
#endif
    return settings->value(keyPath(group, key)).toString();
}

void QtSettingsStore::setValue(const QString& group, const QString& key, const QString& value)
{
#ifdef Q_OS_WIN
    if (!settings) {
        registry::schreiben(registry::Wurzel::Benutzer, registryGroup(group), key, value);
        return;
    }
#endif
    settings->setValue(keyPath(group, key), value);
    settings->sync();
}

QString QtSettingsStore::registryGroup(const QString& group) const
{
    return registryKey + QLatin1Char('\\') + group;
}

QString QtSettingsStore::location() const
{
    return settings ? settings->fileName() : QStringLiteral("HKEY_CURRENT_USER\\") + registryKey;
}

} // namespace platform
