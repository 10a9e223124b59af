#pragma once

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class TelefonbuchTab;

namespace platform {
class MessageBoxes;
}

// The entry editor "Telefonbucheintrag": edits the grid's current entry (name, both numbers, both
// answering-machine choices, door station; never the taught call button). The main window is
// disabled for exactly the dialog's life; only OK writes into the grid.
class frm_Telbuch : public QWidget {
public:
    // `verzögert` tells whether the main window's delayed master forwarding is selected.
    frm_Telbuch(TelefonbuchTab& telefonbuch, QWidget& hauptfenster, platform::MessageBoxes& meldungen,
                std::function<bool()> verzögert);
    ~frm_Telbuch() override;

    QLineEdit* const txt_Bezeichnung;
    QLineEdit* const txt_TelbuchEintragVariante1;
    QCheckBox* const chk_ab_variante1;
    QLineEdit* const txt_TelbuchEintragVariante2;
    QCheckBox* const chk_ab_variante2;
    QComboBox* const cbo_Türstelle;
    QPushButton* const OKButton;
    QPushButton* const CancelButton;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;

private:
    void laden();
    void OKButton_Click();
    void anrufbeantworterGeklickt();
    void nummerVerlassen(QLineEdit& feld);

    TelefonbuchTab& telefonbuch;
    QWidget& hauptfenster;
    platform::MessageBoxes& meldungen;
    std::function<bool()> verzögert;
    const int zeile; // the entry being edited
};
