// The ".log" reader on any file: every line ends with CR LF, and what it gives reads back the same.

#include "Eigenschaft.h"
#include "Logdatei.h"
#include "Windows1252.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t größe)
{
    const QByteArray datei(reinterpret_cast<const char*>(daten), qsizetype(größe));
    const QString log = LogAusDatei(datei);
    EIGENSCHAFT(log.isEmpty() || log.endsWith(QLatin1String("\r\n")));
    EIGENSCHAFT(log.count(u'\r') == log.count(u'\n') && log.count(u'\n') == log.count(QLatin1String("\r\n")));
    EIGENSCHAFT(LogAusDatei(windows1252::kodieren(log)) == log);
    return 0;
}
