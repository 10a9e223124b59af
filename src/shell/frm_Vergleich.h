#pragma once

#include "Abbildvergleich.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QTableWidget;

// What differs between the window and the device or a backup, one row a field, before anything is
// stored. "In das Fenster laden" shows the other side in the window; it deletes itself when closed.
class frm_Vergleich : public QDialog {
    Q_OBJECT
public:
    // `quelle` titles the middle column: "Im Klingport", "In der Sicherung".
    frm_Vergleich(const QList<Unterschied>& unterschiede, const QString& quelle,
                  std::function<void()> insFenster, QWidget* parent);

    QLabel* lab_Anzahl;
    QTableWidget* lst_Unterschiede;
    QPushButton* cmd_InsFensterLaden;
    QPushButton* cmd_Schließen;
};
