#include "TelefonbuchModell.h"

namespace {

const char* const Titel[TelefonbuchModell::Spaltenzahl] = {
    "Index",
    "Teilnehmer",
    "Telefonnummer Variante 1",
    "Telefonnummer Variante 2",
    "Anrufbeantworter",
    "Türstation",
    "Tastercode",
    "Adresse",
};

bool linksbündig(int spalte)
{
    return spalte == TelefonbuchModell::Nummer1 || spalte == TelefonbuchModell::Nummer2 ||
           spalte == TelefonbuchModell::Adresse;
}

} // namespace

TelefonbuchModell::TelefonbuchModell(QObject* parent) : QAbstractTableModel(parent) {}

int TelefonbuchModell::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Telefonbucheinträge;
}

int TelefonbuchModell::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Spaltenzahl;
}

QString TelefonbuchModell::zelle(const Telefonbucheintrag& e, int spalte)
{
    switch (spalte) {
    case Teilnehmer:
        return e.Teilnehmer;
    case Nummer1:
        return e.Nummer1;
    case Nummer2:
        return e.Nummer2;
    case Anrufbeantworter:
        return e.Anrufbeantworter;
    case Türstation:
        return e.Türstation;
    case Tastercode:
        return e.Tastercode;
    case Adresse:
        return e.Adresse;
    }
    return {};
}

QVariant TelefonbuchModell::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return index.column() == Index ? QString::number(index.row() + 1)
                                       : zelle(einträge[index.row()], index.column());
    case Qt::TextAlignmentRole:
        if (linksbündig(index.column()))
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        return {};
    default:
        return {};
    }
}

QVariant TelefonbuchModell::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= Spaltenzahl ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    return titel(section);
}

QString TelefonbuchModell::titel(int spalte)
{
    return spalte >= 0 && spalte < Spaltenzahl ? QString::fromUtf8(Titel[spalte]) : QString();
}

Qt::ItemFlags TelefonbuchModell::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

const Telefonbucheintrag& TelefonbuchModell::eintrag(int nummer) const
{
    return einträge.at(nummer - 1);
}

void TelefonbuchModell::setEintrag(int nummer, const Telefonbucheintrag& eintrag)
{
    einträge.at(nummer - 1) = eintrag;
    emit dataChanged(index(nummer - 1, 0), index(nummer - 1, Spaltenzahl - 1));
}

void TelefonbuchModell::setTelefonbuch(const Telefonbuch& telefonbuch)
{
    einträge = telefonbuch;
    emit dataChanged(index(0, 0), index(Telefonbucheinträge - 1, Spaltenzahl - 1));
}

void TelefonbuchModell::leeren()
{
    setTelefonbuch(Telefonbuch{});
}
