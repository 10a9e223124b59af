#include "TelefonbuchTab.h"

#include "Steuerelemente.h"
#include "TelefonbuchModell.h"
#include "Telefonbuchbereich.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <initializer_list>

using steuerelemente::anlegen;
using steuerelemente::rahmen;

namespace {

// The columns' widths in twips, 15 to a pixel.
constexpr int Spaltenbreiten[TelefonbuchModell::Spaltenzahl] = {500, 2350, 2350, 2350, 1500, 800, 1000, 2350};

QTableView* gitterAnlegen(QWidget* parent, TelefonbuchModell* modell)
{
    auto* gitter = new QTableView(parent);
    gitter->setObjectName(QStringLiteral("MSFlexGrid1"));
    gitter->setAccessibleName(QStringLiteral("Telefonbuch"));
    gitter->setModel(modell);
    gitter->setFont(QFont(QStringLiteral("Arial")));
    gitter->verticalHeader()->hide();
    // Rows as tight as the grid's own: a line of text and a little air.
    gitter->verticalHeader()->setDefaultSectionSize(gitter->fontMetrics().height() + 4);
    gitter->setSelectionBehavior(QAbstractItemView::SelectRows);
    gitter->setSelectionMode(QAbstractItemView::SingleSelection);
    gitter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gitter->setContextMenuPolicy(Qt::CustomContextMenu);
    for (int spalte = 0; spalte < TelefonbuchModell::Spaltenzahl; ++spalte)
        gitter->setColumnWidth(spalte, Spaltenbreiten[spalte] / 15);
    return gitter;
}

QMenu* menüAnlegen(QWidget* parent)
{
    auto* menü = new QMenu(QStringLiteral("Flexgrid"), parent);
    menü->setObjectName(QStringLiteral("flexmenü"));
    menü->addAction(QStringLiteral("Bearbeiten"))->setObjectName(QStringLiteral("Bearbeiten"));
    menü->addAction(QStringLiteral("Löschen"))->setObjectName(QStringLiteral("Löschen"));
    return menü;
}

} // namespace

TelefonbuchTab::TelefonbuchTab(QWidget* parent)
    : QWidget(parent), MSFlexGrid1(gitterAnlegen(this, new TelefonbuchModell(this))),
      flexmenü(menüAnlegen(this)), cmd_TelbuchAusAnlageLaden(anlegen<QPushButton>(
                                       this, "cmd_TelbuchAusAnlageLaden", "Aus Klingport laden")),
      cmd_TelbuchInAnlageSpeichern(
          anlegen<QPushButton>(this, "cmd_TelbuchInAnlageSpeichern", "In Klingport speichern")),
      cmd_TelbuchAusAnlageLoeschen(
          anlegen<QPushButton>(this, "cmd_TelbuchAusAnlageLoeschen", "Telefonbuch löschen")),
      cmd_TelbuchAusDateiLaden(anlegen<QPushButton>(this, "cmd_TelbuchAusDateiLaden", "Aus Datei laden")),
      cmd_TelbuchInDateiSpeichern(
          anlegen<QPushButton>(this, "cmd_TelbuchInDateiSpeichern", "In Datei speichern")),
      cmd_TelbuchDrucken(anlegen<QPushButton>(this, "cmd_TelbuchDrucken", "Drucken")),
      cmd_TelbuchBearbeiten(anlegen<QPushButton>(this, "cmd_TelbuchBearbeiten", "Bearbeiten")),
      cmd_TelbuchLöschen(anlegen<QPushButton>(this, "cmd_TelbuchLöschen", "Löschen")),
      Cmd_RufInformationAbholen(anlegen<QPushButton>(this, "Cmd_RufInformationAbholen", "Ruftaste zuordnen")),
      telefonbuch(static_cast<TelefonbuchModell*>(MSFlexGrid1->model()))
{
    // The transfer buttons wait for an open serial port.
    cmd_TelbuchAusAnlageLaden->setEnabled(false);
    cmd_TelbuchInAnlageSpeichern->setEnabled(false);

    auto* befehle = new QVBoxLayout;
    befehle->addWidget(
        rahmen(this, "Frame3", "Telefonbuch",
               {cmd_TelbuchAusAnlageLaden, cmd_TelbuchInAnlageSpeichern, cmd_TelbuchAusAnlageLoeschen,
                cmd_TelbuchAusDateiLaden, cmd_TelbuchInDateiSpeichern, cmd_TelbuchDrucken}));
    befehle->addWidget(rahmen(this, "Frame2", "Telefonbucheintrag",
                              {cmd_TelbuchBearbeiten, cmd_TelbuchLöschen, Cmd_RufInformationAbholen}));
    befehle->addStretch();

    auto* seite = new QHBoxLayout(this);
    seite->addWidget(MSFlexGrid1, 1);
    seite->addLayout(befehle);

    // A press or release of the mouse shows the whole row of the entry it hit.
    connect(MSFlexGrid1, &QTableView::pressed, this,
            [this](const QModelIndex& i) { zeileMarkieren(i.row() + 1); });
    connect(MSFlexGrid1, &QTableView::clicked, this,
            [this](const QModelIndex& i) { zeileMarkieren(i.row() + 1); });
    connect(MSFlexGrid1, &QTableView::doubleClicked, this, &TelefonbuchTab::bearbeitenAngefordert);
    connect(MSFlexGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& stelle) {
        const QModelIndex getroffen = MSFlexGrid1->indexAt(stelle);
        if (getroffen.isValid())
            zeileMarkieren(getroffen.row() + 1);
        flexmenü->popup(MSFlexGrid1->viewport()->mapToGlobal(stelle));
    });
    connect(cmd_TelbuchBearbeiten, &QPushButton::clicked, this, &TelefonbuchTab::bearbeitenAngefordert);
    connect(flexmenü->actions().at(0), &QAction::triggered, this, &TelefonbuchTab::bearbeitenAngefordert);

    TelefonbuchTabelleAufbauen();
}

void TelefonbuchTab::TelefonbuchTabelleAufbauen()
{
    telefonbuch->leeren();
    zeileMarkieren(1);
}

void TelefonbuchTab::TelefonbuchParsAnzeigen(QByteArrayView abbild)
{
    telefonbuch->setTelefonbuch(TelefonbuchAusAbbild(abbild));
    zeileMarkieren(1);
}

int TelefonbuchTab::aktuelleZeile() const
{
    const QModelIndex aktuell = MSFlexGrid1->currentIndex();
    return aktuell.isValid() ? aktuell.row() + 1 : 1;
}

void TelefonbuchTab::zeileMarkieren(int zeile, int bisSpalte, int vonSpalte)
{
    const QModelIndex anfang = telefonbuch->index(zeile - 1, vonSpalte);
    QItemSelectionModel* auswahl = MSFlexGrid1->selectionModel();
    auswahl->setCurrentIndex(anfang, QItemSelectionModel::NoUpdate);
    auswahl->select(QItemSelection(anfang, telefonbuch->index(zeile - 1, bisSpalte)),
                    QItemSelectionModel::ClearAndSelect);
}

void TelefonbuchTab::zelleSetzen(int zeile, int spalte)
{
    const QModelIndex zelle = telefonbuch->index(zeile - 1, spalte);
    MSFlexGrid1->selectionModel()->setCurrentIndex(zelle, QItemSelectionModel::ClearAndSelect);
}
