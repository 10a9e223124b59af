#include "QtPlattform.h"

namespace shell {

QtPlattform::QtPlattform(const QString& settingsFile)
    : settings(settingsFile.isEmpty() ? platform::QtSettingsStore(Anwendungstitel)
                                      : platform::QtSettingsStore::atFile(settingsFile))
{
}

Plattform QtPlattform::teile()
{
    return {settings, port, clock, uhr, meldungen, drucker, instanz, systemInfo};
}

} // namespace shell
