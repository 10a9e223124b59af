#include "Programm.h"
#include "QtPlattform.h"
#include "QtTexte.h"
#include "Speicher.h"
#include "frm_Haupt.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <optional>
#include <string_view>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// Windows starts a window program without a console: its text goes into the console it was started
// from, or where that redirected it.
void ausgeben(const char* utf8)
{
#ifdef Q_OS_WIN
    HANDLE aus = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if ((aus == nullptr || aus == INVALID_HANDLE_VALUE) && ::AttachConsole(ATTACH_PARENT_PROCESS))
        aus = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
    if (aus == nullptr || aus == INVALID_HANDLE_VALUE)
        return;
    DWORD geschrieben = 0;
    DWORD modus = 0;
    if (::GetConsoleMode(aus, &modus)) {
        const QString text = QString::fromUtf8(utf8);
        ::WriteConsoleW(aus, text.utf16(), DWORD(text.size()), &geschrieben, nullptr);
    } else {
        // Into files and pipes as the command line writes: UTF-8 with CR LF.
        const QByteArray text = QByteArray(utf8).replace("\n", "\r\n");
        ::WriteFile(aus, text.constData(), DWORD(text.size()), &geschrieben, nullptr);
    }
#else
    std::fputs(utf8, stdout);
#endif
}

// "--version" and "--help" answer on the terminal and end before any window, so they work without
// a display. Anything else on the command line is not the window's business.
std::optional<int> befehlszeileBeantworten(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version" || argument == "-v") {
            ausgeben("klingport " KLINGPORT_VERSION "\n");
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            ausgeben("Aufruf: klingport [--help] [--version]\n\n"
                     "Welko Klingport Inbetriebnahmesoftware: Konfiguration, Telefonbuch, Busmonitor und\n"
                     "Firmware des Klingport über die serielle Schnittstelle (COM1 bis COM6).\n"
                     "Ohne Fenster: klingport-cli --help. Ein simuliertes Gerät: klingport-sim --help.\n\n"
                     "  -h, --help     Zeigt diese Hilfe.\n"
                     "  -v, --version  Zeigt die Version.\n");
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    if (const std::optional<int> ende = befehlszeileBeantworten(argc, argv))
        return *ende;
    platform::großePufferEinzelnAbbilden();
    QApplication app(argc, argv);
    QApplication::setApplicationName(shell::Anwendungstitel);
    QApplication::setApplicationVersion(QStringLiteral(KLINGPORT_VERSION));
    // German texts in Qt's own dialogs; dates and times as a German installation writes them.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtTexte;
    platform::qtTexteLaden(qtTexte);

    shell::QtPlattform plattform;
    shell::Programm programm(plattform.teile());
    if (!programm.starten())
        return 0;
    plattform.meldungen.setParent(&programm.hauptfenster());
    return QApplication::exec();
}
