#pragma once

#include "Dateibefehle.h"

class TelefonbuchTab;

// The phone book tab's commands that need no device: saving the phone book to a ".kpb" file or a
// table (".csv"), loading one (it replaces the whole phone book; a file that is not a phone book is
// refused, naming the line, and changes nothing), and printing the phone book.
class TelefonbuchDateibefehle : public platform::Dateibefehle {
public:
    TelefonbuchDateibefehle(TelefonbuchTab& tab, platform::MessageBoxes& meldungen,
                            platform::FileDialogs& dateidialoge, platform::Printers& drucker,
                            QObject* parent = nullptr);
};
