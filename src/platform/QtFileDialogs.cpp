#include "FileDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

namespace platform {

QString QtFileDialogs::qtFilter(const QString& filter)
{
    const QStringList teile = filter.split(QLatin1Char('|'));
    QStringList filter_;
    for (qsizetype i = 0; i + 1 < teile.size(); i += 2)
        filter_.append(teile[i]);
    if (teile.size() == 1)
        filter_.append(teile[0]);
    return filter_.join(QStringLiteral(";;"));
}

QString QtFileDialogs::openFileName(const QString& filter, const QString& startPath)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), {}, startPath, qtFilter(filter));
}

QString QtFileDialogs::saveFileName(const QString& filter, const QString& startPath)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), {}, startPath, qtFilter(filter));
}

} // namespace platform
