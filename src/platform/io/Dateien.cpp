#include "Dateien.h"

#include "MessageBoxes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {

namespace {

void melden(MessageBoxes& meldungen, const QString& art, const QString& name, const QString& was)
{
    meldungen.show(
        QStringLiteral("Die %1 \"%2\" konnte nicht %3 werden.").arg(art, QFileInfo(name).fileName(), was),
        Icon::Critical);
}

} // namespace

bool dateiSpeichern(MessageBoxes& meldungen, const QString& art, const QString& name,
                    const QByteArray& inhalt)
{
    QSaveFile datei(name);
    if (datei.open(QIODevice::WriteOnly) && datei.write(inhalt) == inhalt.size() && datei.commit())
        return true;
    melden(meldungen, art, name, QStringLiteral("gespeichert"));
    return false;
}

std::optional<QByteArray> dateiLaden(MessageBoxes& meldungen, const QString& art, const QString& name)
{
    QFile datei(name);
    if (datei.open(QIODevice::ReadOnly)) {
        QByteArray inhalt = datei.readAll();
        if (datei.error() == QFileDevice::NoError)
            return inhalt;
    }
    melden(meldungen, art, name, QStringLiteral("gelesen"));
    return std::nullopt;
}

} // namespace platform
