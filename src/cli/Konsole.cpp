#include "Konsole.h"

#include <cstdio>
#include <unistd.h>

namespace konsole {

void ausgeben(const QString& zeile)
{
    std::fputs(qPrintable(zeile + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

void melden(const QString& text)
{
    QString zeilen = text;
    zeilen.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    while (zeilen.endsWith(QLatin1Char('\n')))
        zeilen.chop(1);
    std::fputs(qPrintable(zeilen + QLatin1Char('\n')), stderr);
}

} // namespace konsole

platform::Reply KonsolenMeldungen::show(const QString& text, platform::Icon, platform::Buttons buttons,
                                        platform::Default standard)
{
    konsole::melden(text);
    const bool erste = standard == platform::Default::First;
    switch (buttons) {
    case platform::Buttons::Ok:
        return platform::Reply::Ok;
    case platform::Buttons::OkCancel:
        return erste ? platform::Reply::Ok : platform::Reply::Cancel;
    case platform::Buttons::YesNo:
        break;
    }
    return erste ? platform::Reply::Yes : platform::Reply::No;
}

Fortschrittsanzeige::Fortschrittsanzeige() : terminal(::isatty(STDERR_FILENO) == 1) {}

void Fortschrittsanzeige::anzeigen(const kommunikation::Effekt& effekt)
{
    using Art = kommunikation::Effekt::Art;
    if (!terminal)
        return;
    switch (effekt.art) {
    case Art::FortschrittMaximum:
        maximum = effekt.wert;
        seit.start();
        break;
    case Art::Fortschritt:
        zeichnen(effekt.wert);
        break;
    case Art::FensterVerbergen:
        if (maximum > 0)
            std::fputs("\n", stderr);
        maximum = 0;
        break;
    default:
        break;
    }
}

void Fortschrittsanzeige::zeichnen(int bytes)
{
    if (maximum <= 0)
        return;
    constexpr int Breite = 30;
    const int voll = int(qint64(Breite) * std::min(bytes, maximum) / maximum);
    const double sekunden = seit.elapsed() / 1000.0;
    const QString rest =
        bytes > 0 ? QStringLiteral("noch %1 s").arg(qRound(sekunden * (maximum - bytes) / bytes)) : QString();
    const QString zeile = QStringLiteral("\r[%1%2] %3/%4 Bytes %5")
                              .arg(QString(voll, u'#'), QString(Breite - voll, u' '))
                              .arg(bytes)
                              .arg(maximum)
                              .arg(rest);
    std::fputs(qPrintable(zeile + QStringLiteral("\x1b[K")), stderr);
    std::fflush(stderr);
}
