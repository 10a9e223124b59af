#pragma once

#include "Printers.h"

class QPrinter;

namespace platform {

// Puts the document on the printer's pages: a TAB advances to the next stop of 8 character
// columns, a line wider than the page goes on in the next line, and a full page goes on on the next.
bool seitenDrucken(QPrinter& drucker, const Druckdokument& dokument);
// The same pages into a PDF file, its fonts embedded; false when the file can't be written.
bool pdfSchreiben(const QString& datei, const Druckdokument& dokument);

} // namespace platform
