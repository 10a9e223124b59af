#include "Programm.h"
#include "QtPlattform.h"
#include "QtTexte.h"
#include "frm_Haupt.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <optional>
#include <string_view>

namespace {

// "--version" and "--help" answer on the terminal and end before any window, so they work without
// a display. Anything else on the command line is not the window's business.
std::optional<int> befehlszeileBeantworten(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version" || argument == "-v") {
            std::printf("klingport %s\n", KLINGPORT_VERSION);
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            std::printf("Aufruf: klingport [--help] [--version]\n\n"
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
