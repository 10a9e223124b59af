#pragma once

#include "Dateibefehle.h"

class KonfigurationTab;

// The configuration tab's commands that need no device: saving the shown configuration to a ".kpk"
// file, loading one (a file that holds no configuration is refused and changes nothing), and
// printing the configuration.
class KonfigurationDateibefehle : public platform::Dateibefehle {
public:
    KonfigurationDateibefehle(KonfigurationTab& tab, platform::MessageBoxes& meldungen,
                              platform::FileDialogs& dateidialoge, platform::Printers& drucker,
                              QObject* parent = nullptr);
};
