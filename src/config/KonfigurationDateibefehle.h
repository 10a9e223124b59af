#pragma once

#include "FileDialogs.h"

#include <QObject>

class KonfigurationTab;

namespace platform {
class MessageBoxes;
class Printers;
} // namespace platform

// The configuration tab's commands that need no device: saving the shown configuration to a ".kpk"
// file, loading one, and printing the configuration.
class KonfigurationDateibefehle : public QObject {
public:
    KonfigurationDateibefehle(KonfigurationTab& tab, platform::MessageBoxes& meldungen,
                              platform::FileDialogs& dateidialoge, platform::Printers& drucker,
                              QObject* parent = nullptr);

    void cmd_KonfigInDateiSpeichern_Click();
    void cmd_KonfigAusDateiLaden_Click();
    void cmd_KonfigDrucken_Click();
    void KonfigurationDateiSchreiben(const QString& name);
    // Shows the file's configuration, with the reactions of the controls; a file that holds no
    // configuration is refused and changes nothing.
    void KonfigurationDateiLesen(const QString& name);

private:
    KonfigurationTab& tab;
    platform::MessageBoxes& meldungen;
    platform::Dateidialog cdia_Konfig;
    platform::Printers& drucker;
};
