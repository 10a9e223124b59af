#include "QtPlattform.h"

namespace shell {

QtPlattform::QtPlattform(const QString& settingsFile)
    : settings(settingsFile.isEmpty() ? platform::QtSettingsStore(Anwendungstitel)
                                      : platform::QtSettingsStore::atFile(settingsFile))
{
}

Plattform QtPlattform::teile()
{
    return teile(meldungen);
}

Plattform QtPlattform::teile(platform::MessageBoxes& andereMeldungen)
{
    return {settings, port, clock, uhr, andereMeldungen, dateidialoge, drucker, instanz, systemInfo};
}

} // namespace shell
