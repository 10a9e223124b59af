#pragma once

#include <QByteArray>
#include <QString>

namespace sim {

// Where the simulator keeps what the device stores: its image file and the received firmware files.
class DeviceFiles {
public:
    // Either may be empty: then nothing is kept there.
    DeviceFiles(QString imagePath, QString firmwareDir);

    struct Result {
        QByteArray bytes; // loadImage: the kept image, empty when none is kept yet
        QString path;     // the file written
        QString error;    // empty on success
    };

    Result loadImage() const;
    Result saveImage(const QByteArray& image) const;
    // Writes the image as the next free firmware-NNN.tsk or bustreiber-NNN.hex.
    Result saveFirmware(const QByteArray& firmware) const;
    Result saveBusDriver(const QByteArray& busDriver) const;

private:
    Result saveNumbered(const QString& stem, const QString& suffix, const QByteArray& bytes) const;
    static Result write(const QString& path, const QByteArray& bytes);

    QString imagePath_;
    QString firmwareDir_;
};

} // namespace sim
