#include "QtPlattform.h"

#include <QDir>
#include <QFileInfo>

namespace shell {

QtPlattform::QtPlattform(const QString& settingsFile)
    : settings(settingsFile.isEmpty() ? platform::QtSettingsStore(Anwendungstitel)
                                      : platform::QtSettingsStore::atFile(settingsFile)),
      sicherungen(settingsFile.isEmpty()
                      ? platform::Sicherungen::standardordner()
                      : QFileInfo(settingsFile).dir().filePath(QStringLiteral("Sicherungen")))
{
}

Plattform QtPlattform::teile()
{
    return teile(meldungen);
}

Plattform QtPlattform::teile(platform::MessageBoxes& andereMeldungen)
{
    return {settings, port,        clock,   uhr,        andereMeldungen, dateidialoge,
            drucker,  sicherungen, instanz, systemInfo, dateimanager,    portordner};
}

} // namespace shell
