#include "Printers.h"
#include "Seitendruck.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace platform {

QtPrinters::QtPrinters()
{
    const QStringList alle = systemdrucker();
    const QString standard = QPrinterInfo::defaultPrinterName();
    setCurrent(alle.contains(standard) ? standard : alle.value(0));
}

QStringList QtPrinters::systemdrucker() const
{
    return QPrinterInfo::availablePrinterNames();
}

bool QtPrinters::ausgeben(const Druckdokument& dokument)
{
    QPrinter drucker(QPrinterInfo::printerInfo(dokument.drucker), QPrinter::HighResolution);
    return seitenDrucken(drucker, dokument);
}

PdfPrinters::PdfPrinters(QString datei) : datei(std::move(datei))
{
    setCurrent(installed().constFirst());
}

bool PdfPrinters::ausgeben(const Druckdokument& dokument)
{
    return pdfSchreiben(datei, dokument);
}

} // namespace platform
