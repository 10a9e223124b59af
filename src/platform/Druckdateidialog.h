#pragma once

#include "FileDialogs.h"

namespace platform {

class Printers;

// Where a printout into "PDF-Datei" goes: a save dialog that proposes the printout's own name, and
// then the file chosen last.
class Druckdateidialog {
public:
    Druckdateidialog(FileDialogs& dialoge, const QString& vorschlag);

    // Before each printout: asks for the file when "PDF-Datei" is current. False when the user chose
    // none; then nothing is printed and nothing said.
    bool wählen(Printers& drucker);

private:
    Dateidialog dialog;
};

} // namespace platform
