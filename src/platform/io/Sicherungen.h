#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace platform {

// One backup: when it was made, and its file.
struct Sicherung {
    QDateTime zeitpunkt;
    QString datei;
};

// The device images read before every store, one file each of the raw bytes, named by the date and
// time of the store. The newest 200 are kept.
class Sicherungen {
public:
    static constexpr int Höchstzahl = 200;

    // "Sicherungen" in the program's local data folder, the same for the window and the command line.
    static QString standardordner();

    explicit Sicherungen(QString ordner) : verzeichnis(std::move(ordner)) {}
    QString ordner() const { return verzeichnis; }

    // Writes the image as a new backup, whole or not at all, and deletes the oldest beyond 200, never
    // the new one. An existing file is never replaced, not even one another process made in the same
    // second. The new file's path; empty when it is not on disk.
    QString sichern(const QByteArray& abbild, const QDateTime& zeitpunkt);
    // Oldest first; other files in the folder are no backups.
    QList<Sicherung> liste() const;
    // What the user is told when a backup could not be written, and so nothing was stored.
    QString nichtGeschrieben() const;

private:
    QString verzeichnis;
};

} // namespace platform
