#pragma once

#include "Printers.h"

class QPrinter;

namespace platform {

// Puts the document on the printer's pages: a TAB advances to the next stop of 8 character
// columns, a line wider than the page goes on in the next line, and a full page goes on on the next.
bool seitenDrucken(QPrinter& drucker, const Druckdokument& dokument);

} // namespace platform
