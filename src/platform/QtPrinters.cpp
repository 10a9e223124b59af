#include "Printers.h"

#include <QPrinterInfo>

namespace platform {

QtPrinters::QtPrinters()
{
    aktueller = QPrinterInfo::defaultPrinterName();
    const QStringList alle = installed();
    if (!alle.contains(aktueller))
        aktueller = alle.value(0);
}

QStringList QtPrinters::installed() const
{
    return QPrinterInfo::availablePrinterNames();
}

void QtPrinters::setCurrent(const QString& name)
{
    if (installed().contains(name))
        aktueller = name;
}

} // namespace platform
