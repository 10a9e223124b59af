#include "DeviceFiles.h"

#include "Klingport.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace sim {

DeviceFiles::DeviceFiles(QString imagePath, QString firmwareDir)
    : imagePath_(std::move(imagePath)), firmwareDir_(std::move(firmwareDir))
{
}

DeviceFiles::Result DeviceFiles::loadImage() const
{
    Result result;
    result.path = imagePath_;
    if (imagePath_.isEmpty() || !QFile::exists(imagePath_))
        return result;
    QFile file(imagePath_);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("%1: %2").arg(imagePath_, file.errorString());
        return result;
    }
    result.bytes = file.readAll();
    if (result.bytes.size() != device::ImageSize) {
        result.error = QStringLiteral("%1: an image has %2 bytes, this file %3")
                           .arg(imagePath_)
                           .arg(device::ImageSize)
                           .arg(result.bytes.size());
        result.bytes.clear();
    }
    return result;
}

DeviceFiles::Result DeviceFiles::saveImage(const QByteArray& image) const
{
    if (imagePath_.isEmpty())
        return {};
    return write(imagePath_, image);
}

DeviceFiles::Result DeviceFiles::saveFirmware(const QByteArray& firmware) const
{
    return saveNumbered(QStringLiteral("firmware"), QStringLiteral("tsk"), firmware);
}

DeviceFiles::Result DeviceFiles::saveBusDriver(const QByteArray& busDriver) const
{
    return saveNumbered(QStringLiteral("bustreiber"), QStringLiteral("hex"), busDriver);
}

DeviceFiles::Result DeviceFiles::saveNumbered(const QString& stem, const QString& suffix,
                                              const QByteArray& bytes) const
{
    if (firmwareDir_.isEmpty())
        return {};
    const QDir dir(firmwareDir_);
    if (!dir.mkpath(QStringLiteral("."))) {
        Result result;
        result.error = QStringLiteral("%1: cannot create the directory").arg(firmwareDir_);
        return result;
    }
    for (int n = 1;; ++n) {
        const QString path =
            dir.filePath(QStringLiteral("%1-%2.%3").arg(stem).arg(n, 3, 10, QLatin1Char('0')).arg(suffix));
        if (!QFile::exists(path))
            return write(path, bytes);
    }
}

DeviceFiles::Result DeviceFiles::write(const QString& path, const QByteArray& bytes)
{
    Result result;
    result.path = path;
    // Write to a temporary file and rename, so a reader never sees half an image.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        result.error = QStringLiteral("%1: %2").arg(path, file.errorString());
    return result;
}

} // namespace sim
