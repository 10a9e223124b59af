#include "SystemInfoTool.h"

#ifdef Q_OS_WIN
#include "Registry.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#endif

namespace platform {

bool NativeSystemInfoTool::start()
{
#ifdef Q_OS_WIN
    using registry::Wurzel;
    const auto pfad =
        registry::lesen(Wurzel::Maschine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                        QStringLiteral("PATH"));
    if (pfad)
        return QProcess::startDetached(*pfad, {});
    const auto ordner =
        registry::lesen(Wurzel::Maschine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                        QStringLiteral("MSINFO"));
    if (!ordner)
        return false;
    const QString programm = *ordner + QStringLiteral("\\MSINFO32.EXE");
    return QFileInfo::exists(programm) && QProcess::startDetached(programm, {});
#else
    return false;
#endif
}

} // namespace platform
