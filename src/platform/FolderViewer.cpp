#include "FolderViewer.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

bool DesktopFolderViewer::show(const QString& ordner)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ordner));
}

} // namespace platform
