#pragma once

#include "Befehlsumgebung.h"
#include "UpdateBefehle.h"

#include <QMainWindow>
#include <optional>

class QTabWidget;
class QTimer;
class QPushButton;
class Statushinweise;
class KonfigurationTab;
class TelefonbuchTab;
class LoggenTab;
class FirmwareTab;
class KonfigurationBefehle;
class TelefonbuchBefehle;
class FirmwarestandBefehle;
class LoggenBefehle;
class QLabel;
class Vergleichsbefehle;

namespace platform {
class FileDialogs;
class Printers;
class Sicherungen;
} // namespace platform

// The main window: the menu, the four tabs of the subsystems with their commands, the status-bar
// hints, the fixed size and the set of device commands that is switched as a whole.
class frm_Haupt : public QMainWindow {
    Q_OBJECT
public:
    explicit frm_Haupt(QWidget* parent = nullptr);
    ~frm_Haupt() override;

    void KommunikationEnable();
    void KommunikationDisable();
    // Whether the device commands are enabled, whether or not the window is locked just now.
    bool KommunikationEnabled() const;
    // Waits while the window stays responsive.
    void wait(int millisekunden);
    // What the tabs' commands work with besides the window.
    struct Befehlsteile {
        kommunikation::Klingportverbindung& link;
        platform::MessageBoxes& meldungen;
        const platform::WallClock& uhr;
        platform::FileDialogs& dateidialoge;
        platform::Printers& drucker;
        platform::Sicherungen& sicherungen;
        Imagepfade pfade;
    };
    // Gives the tabs their commands, which work through the link and report through the message
    // boxes and the log.
    void BefehleAnlegen(Befehlsteile teile);
    // The state after loading: empty phone book, factory configuration, first tab.
    void AnfangszustandHerstellen();
    // What the commands work with; valid once they were created.
    const Befehlsumgebung& befehlsumgebung() const { return *umgebung; }

    QTabWidget* SSTab1 = nullptr;
    KonfigurationTab* konfiguration = nullptr;
    TelefonbuchTab* telefonbuch = nullptr;
    LoggenTab* loggen = nullptr;
    FirmwareTab* firmware = nullptr;
    KonfigurationBefehle* konfigurationBefehle = nullptr;
    TelefonbuchBefehle* telefonbuchBefehle = nullptr;
    FirmwarestandBefehle* firmwarestand = nullptr;
    UpdateBefehle* update = nullptr;
    LoggenBefehle* loggenBefehle = nullptr;
    Vergleichsbefehle* vergleich = nullptr;
    QAction* men_Vergleichen = nullptr;
    QLabel* lab_Abgleich = nullptr; // on the status line's right: how far the window is from the device

signals:
    void optionsRequested();
    void backupsRequested();
    void infoRequested();
    // The window was shown for the first time.
    void firstActivated();
    // The window is about to close; the program ends logging and unloads its other windows.
    void closing();
    // The device commands were switched on or off.
    void kommunikationGeschaltet();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void menüAnlegen();
    void hinweiseAnlegen();
    QList<QPushButton*> Gerätebefehle() const;

    Statushinweise* statushinweise = nullptr;
    QTimer* tim_wait = nullptr;
    std::optional<Befehlsumgebung> umgebung;
    bool aktiviert = false;
};
