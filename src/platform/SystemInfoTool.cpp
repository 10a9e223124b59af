#include "SystemInfoTool.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>

namespace platform {

bool NativeSystemInfoTool::start()
{
#ifdef Q_OS_WIN
    const QSettings msinfo(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                           QSettings::NativeFormat);
    const QString pfad = msinfo.value(QStringLiteral("PATH")).toString();
    if (!pfad.isEmpty())
        return QProcess::startDetached(pfad, {});
    const QSettings ort(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location"),
                        QSettings::NativeFormat);
    const QString ordner = ort.value(QStringLiteral("MSINFO")).toString();
    const QString programm = QDir(ordner).filePath(QStringLiteral("MSINFO32.EXE"));
    if (!ordner.isEmpty() && QFileInfo::exists(programm))
        return QProcess::startDetached(programm, {});
    return false;
#else
    return false;
#endif
}

} // namespace platform
