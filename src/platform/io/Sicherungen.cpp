#include "Sicherungen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace platform {

namespace {

const QString Format = QStringLiteral("yyyy-MM-dd_HH-mm-ss");

// "2026-12-07_09-05-00.bin", and "…_2.bin" and on for more stores within the same second.
const QRegularExpression Name(QStringLiteral(R"(^(\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d)(?:_(\d+))?\.bin$)"));

struct Eintrag {
    QDateTime zeitpunkt;
    int folge = 0;
    QString datei;
};

QList<Eintrag> einträge(const QString& ordner)
{
    QList<Eintrag> alle;
    for (const QString& name : QDir(ordner).entryList(QDir::Files)) {
        const QRegularExpressionMatch treffer = Name.match(name);
        if (!treffer.hasMatch())
            continue;
        alle.append({QDateTime::fromString(treffer.captured(1), Format), treffer.captured(2).toInt(),
                     QDir(ordner).filePath(name)});
    }
    std::sort(alle.begin(), alle.end(), [](const Eintrag& a, const Eintrag& b) {
        return std::pair(a.zeitpunkt, a.folge) < std::pair(b.zeitpunkt, b.folge);
    });
    return alle;
}

} // namespace

QString Sicherungen::standardordner()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("Sicherungen"));
}

QString Sicherungen::sichern(const QByteArray& abbild, const QDateTime& zeitpunkt)
{
    const QDir dir(verzeichnis);
    if (!dir.mkpath(QStringLiteral(".")))
        return {};
    // A later store of the same second follows all earlier ones, even where the oldest are gone.
    const QString stamm = zeitpunkt.toString(Format);
    int folge = 0; // the base name counts as 0, then 2, 3 and on
    for (const Eintrag& e : einträge(verzeichnis)) {
        if (e.zeitpunkt.toString(Format) == stamm)
            folge = std::max(folge, std::max(e.folge + 1, 2));
    }
    // The window and the command line may pick the same name within a second: the file is only ever
    // created new, and a name taken meanwhile passes on to the next number, a hundred at most.
    for (int versuch = 0; versuch < 100; ++versuch, folge = std::max(folge + 1, 2)) {
        const QString pfad = folge == 0 ? dir.filePath(stamm + QStringLiteral(".bin"))
                                        : dir.filePath(QStringLiteral("%1_%2.bin").arg(stamm).arg(folge));
        QFile datei(pfad);
        if (!datei.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            const QFileInfo vorhanden(pfad);
            if (vorhanden.exists() || vorhanden.isSymLink())
                continue;
            return {};
        }
        const bool ganz = datei.write(abbild) == abbild.size() && datei.flush();
        datei.close();
        if (!ganz || datei.error() != QFileDevice::NoError) {
            datei.remove(); // no half backup stays behind
            return {};
        }
        // The new backup goes on the list by its name; with the clock behind the newest name it
        // sorts oldest, and then the oldest of the others goes in its place.
        const QList<Eintrag> alle = einträge(verzeichnis);
        qsizetype zuViele = alle.size() - Höchstzahl;
        for (qsizetype i = 0; i < alle.size() && zuViele > 0; ++i) {
            if (alle[i].datei != pfad && QFile::remove(alle[i].datei))
                --zuViele;
        }
        // Another process's rotation may have taken it meanwhile; then nothing must be stored.
        return QFileInfo::exists(pfad) ? pfad : QString();
    }
    return {};
}

QList<Sicherung> Sicherungen::liste() const
{
    QList<Sicherung> sicherungen;
    for (const Eintrag& e : einträge(verzeichnis))
        sicherungen.append({e.zeitpunkt, e.datei});
    return sicherungen;
}

QString Sicherungen::nichtGeschrieben() const
{
    return QStringLiteral(
               "Die Sicherung des Klingport-Speichers konnte nicht in \"%1\" geschrieben werden.\r\n"
               "Es wurde nichts in den Klingport gespeichert.")
        .arg(QDir::toNativeSeparators(verzeichnis));
}

} // namespace platform
