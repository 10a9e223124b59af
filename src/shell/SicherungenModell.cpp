#include "SicherungenModell.h"

#include "Geraeteabbild.h"
#include "Protokoll.h"

#include <QFile>

void SicherungenModell::laden(const platform::Sicherungen& sicherungen)
{
    beginResetModel();
    zeilen.clear();
    const QList<platform::Sicherung> liste = sicherungen.liste();
    for (auto s = liste.crbegin(); s != liste.crend(); ++s) {
        QFile datei(s->datei);
        // One byte more than an image tells a longer file from a whole one without reading it all.
        const QByteArray abbild =
            datei.open(QIODevice::ReadOnly) ? datei.read(abbild::Größe + 1) : QByteArray();
        zeilen.append({*s, SicherungsinhaltLesen(abbild), abbild});
    }
    endResetModel();
}

int SicherungenModell::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(zeilen.size());
}

int SicherungenModell::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant SicherungenModell::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= zeilen.size() ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    const Sicherungszeile& z = zeilen[index.row()];
    return index.column() == 0 ? platform::Zeitstempel(z.sicherung.zeitpunkt)
                               : SicherungZusammenfassen(z.inhalt);
}

QVariant SicherungenModell::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? QStringLiteral("Datum") : QStringLiteral("Klingport");
}
