#pragma once

#include "Programmeinstellungen.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QPushButton;
class QRadioButton;
class frm_Drucker;
class frm_Haupt;

namespace platform {
class MessageBoxes;
class Printers;
} // namespace platform

// The settings dialog: the serial port (COM1 to COM6 or none) and the printer. Loaded unseen when
// the main window first shows, its load opens the stored port; while visible it locks the main window.
class frm_Optionen : public QWidget {
public:
    struct Umgebung {
        shell::Programmeinstellungen& einstellungen;
        platform::MessageBoxes& meldungen;
        platform::Printers& drucker;
        frm_Haupt& hauptfenster;
        std::function<bool(int)> ComportÖffnen;
        std::function<QString(int)> portpfad; // the device a port number stands for, shown as its tooltip
        std::function<void()> EinstellungenSpeichern;
        std::function<void()> entladen; // the dialog was closed by its close box and is gone
    };

    explicit frm_Optionen(Umgebung umgebung);
    ~frm_Optionen() override;

    // The load event: opens the stored port on the program's first load of the dialog (a dialog closed
    // by its close box is loaded anew), and chooses the stored printer.
    void laden(bool ersteLadung);
    // The unload handler: saves the settings, enables the main window and hides the dialog.
    void Form_Unload();

    // The click handlers of the port choices; 0 is "keine".
    void portGewählt(int nummer);
    void keineGewählt();
    void Cmd_OK_Click();
    void cmd_Cancel_Click();
    void cmd_DruckerÄndern_Click();

    QString AlterDrucker;
    int AlterComport = 0;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Activate();
    // The current printer; empty when none is chosen or it has gone from the system.
    QString aktuellerDrucker() const;
    // Each port choice names its device in its tooltip.
    void portpfadeZeigen();
    void druckerGewählt(const QString& name);

    Umgebung u;
    std::array<QRadioButton*, 7> obu_COM{}; // [0] is obu_keine
    QLabel* lab_Drucker;
    QPushButton* cmd_DruckerÄndern;
    QPushButton* Cmd_OK;
    QPushButton* cmd_Cancel;
    QPointer<frm_Drucker> druckerauswahl;
};
