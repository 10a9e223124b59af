#include "frm_Drucker.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

frm_Drucker::frm_Drucker(QWidget* parent, std::function<void(const QString&)> gewählt)
    : QWidget(parent, Qt::Dialog), gewählt(std::move(gewählt)), Combo_drucker(new QComboBox)
{
    setObjectName(QStringLiteral("frm_Drucker"));
    setWindowTitle(QStringLiteral("Drucker auswählen"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* Label1 = new QLabel(QStringLiteral("Drucker"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Combo_drucker->setObjectName(QStringLiteral("Combo_drucker"));
    Combo_drucker->setMinimumWidth(240);
    Label1->setBuddy(Combo_drucker);
    Combo_drucker->setAccessibleName(Label1->text());
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("cmd_OK"));
    auto* abbrechen = new QPushButton(QStringLiteral("Abbrechen"));
    abbrechen->setObjectName(QStringLiteral("cmd_Cancel"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Combo_drucker, 0, 1, 1, 2);
    layout->addWidget(ok, 1, 1);
    layout->addWidget(abbrechen, 1, 2);
    setFixedSize(sizeHint());

    connect(ok, &QPushButton::clicked, this, &frm_Drucker::cmd_OK_Click);
    connect(abbrechen, &QPushButton::clicked, this, &frm_Drucker::cmd_Cancel_Click);
}

void frm_Drucker::zeigen(const QStringList& drucker, const QString& aktuell)
{
    Combo_drucker->clear();
    Combo_drucker->addItems(drucker);
    Combo_drucker->setCurrentIndex(Combo_drucker->findText(aktuell));
    show();
    raise();
}

void frm_Drucker::cmd_OK_Click()
{
    if (Combo_drucker->currentIndex() >= 0)
        gewählt(Combo_drucker->currentText());
    close();
}

void frm_Drucker::cmd_Cancel_Click()
{
    close();
}
