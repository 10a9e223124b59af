#include "Logdatei.h"

#include "Windows1252.h"

QByteArray LogDateiinhalt(const QString& log)
{
    return windows1252::kodieren(log + QLatin1String("\r\n"));
}

QString LogAusDatei(QByteArrayView datei)
{
    QString text = windows1252::dekodieren(datei);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.isEmpty())
        return text;
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}
