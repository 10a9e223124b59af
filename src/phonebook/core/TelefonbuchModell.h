#pragma once

#include "Telefonbucheintrag.h"

#include <QAbstractTableModel>

// The program's only copy of the phone book: 50 entries under the grid's titles, with the entry
// number as column 0. Row r holds entry r + 1. It needs no widgets, so tools can use it too.
class TelefonbuchModell : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Spalte { Index, Teilnehmer, Nummer1, Nummer2, Anrufbeantworter, Türstation, Tastercode, Adresse };
    static constexpr int Spaltenzahl = 8;

    explicit TelefonbuchModell(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const Telefonbuch& telefonbuch() const { return einträge; }
    // `nummer` counts from 1, as the index column does.
    const Telefonbucheintrag& eintrag(int nummer) const;
    void setEintrag(int nummer, const Telefonbucheintrag& eintrag);
    void setTelefonbuch(const Telefonbuch& telefonbuch);
    // Every entry empty.
    void leeren();

    static QString zelle(const Telefonbucheintrag& eintrag, int spalte);
    // The column's title in the grid.
    static QString titel(int spalte);

private:
    Telefonbuch einträge;
};
