#include "Konsole.h"

#include <cstdio>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <poll.h>
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
// code page would garble the umlauts. A NUL from the device shows as "␀", so that it neither ends
// the line early nor vanishes. False when the text could not be written, as into a closed pipe.
bool schreiben(std::FILE* strom, const QString& text)
{
    QString sichtbar = text;
    sichtbar.replace(QChar(0), NulErsatz);
#ifdef Q_OS_WIN
    if (istKonsole(strom)) {
        std::fflush(strom);
        DWORD geschrieben = 0;
        return ::WriteConsoleW(fensterVon(strom), sichtbar.utf16(), DWORD(sichtbar.size()), &geschrieben,
                               nullptr) != 0;
    }
#endif
    const QByteArray utf8 = sichtbar.toUtf8();
    return std::fwrite(utf8.constData(), 1, size_t(utf8.size()), strom) == size_t(utf8.size());
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

bool ausgeben(const QString& zeile)
{
    const bool geschrieben = schreiben(stdout, zeile + QLatin1Char('\n'));
    return std::fflush(stdout) == 0 && geschrieben;
}

bool ausgabeGeschlossen()
{
#ifdef Q_OS_WIN
    return false; // a write into the closed pipe fails and tells
#else
    // A pipe whose reader has gone reports an error without anything being written.
    pollfd ausgabe{STDOUT_FILENO, 0, 0};
    return ::poll(&ausgabe, 1, 0) == 1 && (ausgabe.revents & (POLLERR | POLLHUP)) != 0;
#endif
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
