#pragma once

#include "Sicherungen.h"
#include "Sicherungsinhalt.h"

#include <QAbstractTableModel>

// One backup as the list shows it: its file and what it holds.
struct Sicherungszeile {
    platform::Sicherung sicherung;
    Sicherungsinhalt inhalt;
    QByteArray abbild; // as read; a whole image only when the backup is readable
};

// The backups of a folder, newest first: when each was made and what an installer recognises the
// device by.
class SicherungenModell : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Reads every backup anew.
    void laden(const platform::Sicherungen& sicherungen);
    const Sicherungszeile& zeile(int reihe) const { return zeilen.at(reihe); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<Sicherungszeile> zeilen;
};
