#pragma once

#include <QDateTime>
#include <QString>

namespace platform {

// "dd.MM.yyyy HH:mm:ss", the German short date and long time.
inline QString Zeitstempel(const QDateTime& zeit)
{
    return zeit.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

// The log window as the commands report to it.
class Protokoll {
public:
    virtual ~Protokoll() = default;
    virtual void anhängen(const QString& text) = 0;
    // A report line: time stamp, the message (which begins with its own blank) and CR LF.
    void zeileAnhängen(const QDateTime& stempel, const QString& meldung)
    {
        anhängen(Zeitstempel(stempel) + meldung + QLatin1String("\r\n"));
    }
};

} // namespace platform
