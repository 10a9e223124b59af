// The telegram decoder on any report: its text is always one log line (an unknown code's raw report
// keeps its own CR LF at the end).

#include "Eigenschaft.h"
#include "Telegramm.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t größe)
{
    const QByteArray bericht(reinterpret_cast<const char*>(daten), qsizetype(größe));
    QString zeile = BerichtDekodieren(bericht);
    if (zeile.endsWith(QLatin1String("\r\n")))
        zeile.chop(2);
    EIGENSCHAFT(!zeile.contains(u'\r') && !zeile.contains(u'\n'));
    return 0;
}
