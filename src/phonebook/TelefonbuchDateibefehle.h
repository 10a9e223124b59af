#pragma once

#include "FileDialogs.h"

#include <QObject>

class TelefonbuchTab;

namespace platform {
class MessageBoxes;
class Printers;
} // namespace platform

// The phone book tab's commands that need no device: saving the phone book to a ".kpb" file,
// loading one, and printing the phone book.
class TelefonbuchDateibefehle : public QObject {
public:
    TelefonbuchDateibefehle(TelefonbuchTab& tab, platform::MessageBoxes& meldungen,
                            platform::FileDialogs& dateidialoge, platform::Printers& drucker,
                            QObject* parent = nullptr);

    void cmd_TelbuchInDateiSpeichern_Click();
    void cmd_TelbuchAusDateiLaden_Click();
    void cmd_TelbuchDrucken_Click();
    // The phone book as a table; leaves the current entry selected from its first cell on.
    QString TelefonbuchAlsText();
    void TelefonbuchDateiSchreiben(const QString& name);
    // Replaces the whole phone book by the file's; a file that is not a phone book is refused,
    // naming the line, and changes nothing.
    void TelefonbuchDateiLesen(const QString& name);

private:
    TelefonbuchTab& tab;
    platform::MessageBoxes& meldungen;
    platform::Dateidialog cdia_Telbuch;
    platform::Printers& drucker;
};
