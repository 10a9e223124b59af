#include "Logdruck.h"

QString LogDrucküberschrift()
{
    return QStringLiteral("\r\n\r\n\r\n\tWELKO Buskommunikationsprotokoll\r\n\r\n");
}

QString LogDruckText(const QString& log)
{
    QString rumpf = u'\t' + log;
    return rumpf.replace(QLatin1String("\r\n"), QLatin1String("\r\n\t"));
}
