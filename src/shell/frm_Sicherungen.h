#pragma once

#include <QWidget>
#include <functional>
#include <optional>

class QPushButton;
class QTableView;
class KonfigurationTab;
class SicherungenModell;
class TelefonbuchTab;
struct Befehlsumgebung;
struct Sicherungszeile;

namespace platform {
class FolderViewer;
} // namespace platform

// The backups made before each store, newest first: one can be taken into the window, or put back
// into the device through the usual store. While visible it locks the main window.
class frm_Sicherungen : public QWidget {
public:
    struct Umgebung {
        const Befehlsumgebung& befehle; // the link, the main window, the message boxes, the log, the backups
        KonfigurationTab& konfiguration;
        TelefonbuchTab& telefonbuch;
        platform::FolderViewer& dateimanager;
        std::function<void(const QString&)> statuszeile;
        std::function<bool()> gerätebefehleAn; // as the main window's device commands are switched
        std::function<void(const QByteArray&, QWidget&)> vergleichen; // with the window, over this dialog
    };

    explicit frm_Sicherungen(Umgebung umgebung);

    void cmd_InsFensterLaden_Click();
    void cmd_Wiederherstellen_Click();
    void cmd_Vergleichen_Click();
    void cmd_OrdnerÖffnen_Click();
    void cmd_Schließen_Click();
    // Follows the main window's device commands, which a lost port switches while this is open.
    void gerätebefehleAbgleichen();

    QTableView* lst_Sicherungen;
    QPushButton* cmd_InsFensterLaden;
    QPushButton* cmd_Wiederherstellen;
    QPushButton* cmd_Vergleichen;
    QPushButton* cmd_OrdnerÖffnen;
    QPushButton* cmd_Schließen;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The chosen backup when it is a whole image; otherwise the user is told why it is refused.
    std::optional<Sicherungszeile> brauchbareWahl();
    void neuLaden();
    void schließen();

    Umgebung u;
    SicherungenModell* modell;
};
