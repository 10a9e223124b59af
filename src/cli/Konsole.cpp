#include "Konsole.h"

#include <cstdio>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace konsole {

namespace {

#ifdef Q_OS_WIN
HANDLE fensterVon(std::FILE* strom)
{
    return ::GetStdHandle(strom == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

bool istKonsole(std::FILE* strom)
{
    DWORD modus = 0;
    return ::GetConsoleMode(fensterVon(strom), &modus) != 0;
}
#else
bool istKonsole(std::FILE* strom)
{
    return ::isatty(::fileno(strom)) == 1;
}
#endif

// UTF-8 into files and pipes on every system. A Windows console gets the text as UTF-16, since its
// code page would garble the umlauts.
void schreiben(std::FILE* strom, const QString& text)
{
#ifdef Q_OS_WIN
    if (istKonsole(strom)) {
        std::fflush(strom);
        DWORD geschrieben = 0;
        ::WriteConsoleW(fensterVon(strom), text.utf16(), DWORD(text.size()), &geschrieben, nullptr);
        return;
    }
#endif
    std::fputs(text.toUtf8().constData(), strom);
}

// The progress bar erases the rest of its line with an escape sequence, which a Windows console
// understands once asked to.
bool zeileLöschbar()
{
#ifdef Q_OS_WIN
    DWORD modus = 0;
    const HANDLE fenster = fensterVon(stderr);
    return ::GetConsoleMode(fenster, &modus) != 0 &&
           ::SetConsoleMode(fenster, modus | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
#else
    return true;
#endif
}

} // namespace

void ausgeben(const QString& zeile)
{
    schreiben(stdout, zeile + QLatin1Char('\n'));
    std::fflush(stdout);
}

void melden(const QString& text)
{
    QString zeilen = text;
    zeilen.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    while (zeilen.endsWith(QLatin1Char('\n')))
        zeilen.chop(1);
    schreiben(stderr, zeilen + QLatin1Char('\n'));
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

Fortschrittsanzeige::Fortschrittsanzeige()
    : terminal(konsole::istKonsole(stderr)),
      // Without erasing, blanks cover what the longer line before left ("noch 10 s", then "noch 9 s").
      zeilenende(konsole::zeileLöschbar() ? QStringLiteral("\x1b[K") : QStringLiteral("   "))
{
}

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
            konsole::schreiben(stderr, QStringLiteral("\n"));
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
    konsole::schreiben(stderr, zeile + zeilenende);
    std::fflush(stderr);
}
