#pragma once

#include <QWidget>
#include <functional>

class QComboBox;

// The printer choice: lists the installed printers; OK hands the chosen one back, and the dialog goes.
class frm_Drucker : public QWidget {
public:
    frm_Drucker(QWidget* parent, std::function<void(const QString&)> gewählt);

    // Fills the list, presets `aktuell` and shows the dialog.
    void zeigen(const QStringList& drucker, const QString& aktuell);

    void cmd_OK_Click();
    void cmd_Cancel_Click();

private:
    std::function<void(const QString&)> gewählt;
    QComboBox* Combo_drucker;
};
