#include "frm_Vergleich.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

frm_Vergleich::frm_Vergleich(const QList<Unterschied>& unterschiede, const QString& quelle,
                             std::function<void()> insFenster, QWidget* parent)
    : QDialog(parent), lab_Anzahl(new QLabel(UnterschiedeZählen(unterschiede.size()))),
      lst_Unterschiede(new QTableWidget(int(unterschiede.size()), 3)),
      cmd_InsFensterLaden(new QPushButton(QStringLiteral("In das Fenster laden"))),
      cmd_Schließen(new QPushButton(QStringLiteral("Schließen")))
{
    setObjectName(QStringLiteral("frm_Vergleich"));
    setWindowTitle(QStringLiteral("Vergleichen"));
    setAttribute(Qt::WA_DeleteOnClose);
    lab_Anzahl->setObjectName(QStringLiteral("lab_Anzahl"));
    lst_Unterschiede->setObjectName(QStringLiteral("lst_Unterschiede"));
    lst_Unterschiede->setAccessibleName(QStringLiteral("Unterschiede"));
    lab_Anzahl->setBuddy(lst_Unterschiede);
    cmd_InsFensterLaden->setObjectName(QStringLiteral("cmd_InsFensterLaden"));
    cmd_Schließen->setObjectName(QStringLiteral("cmd_Schließen"));

    lst_Unterschiede->setHorizontalHeaderLabels(
        {QStringLiteral("Feld"), quelle, QStringLiteral("Im Fenster")});
    lst_Unterschiede->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lst_Unterschiede->setSelectionBehavior(QAbstractItemView::SelectRows);
    lst_Unterschiede->verticalHeader()->hide();
    lst_Unterschiede->horizontalHeader()->setStretchLastSection(true);
    for (int zeile = 0; zeile < unterschiede.size(); ++zeile) {
        const Unterschied& u = unterschiede[zeile];
        for (const auto& [spalte, text] : {std::pair{0, u.feld}, {1, u.vorher}, {2, u.nachher}})
            lst_Unterschiede->setItem(zeile, spalte, new QTableWidgetItem(text));
    }
    lst_Unterschiede->resizeColumnsToContents();

    auto* knöpfe = new QHBoxLayout;
    knöpfe->addWidget(cmd_InsFensterLaden);
    knöpfe->addStretch();
    knöpfe->addWidget(cmd_Schließen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lab_Anzahl);
    layout->addWidget(lst_Unterschiede);
    layout->addLayout(knöpfe);
    resize(640, 400);

    connect(cmd_InsFensterLaden, &QPushButton::clicked, this, [this, insFenster = std::move(insFenster)] {
        insFenster();
        close();
    });
    connect(cmd_Schließen, &QPushButton::clicked, this, &QDialog::close);
}
