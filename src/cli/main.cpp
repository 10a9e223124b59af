// klingport-cli: the program's device commands without a window, for scripts.

#include "Aufruf.h"
#include "Kommandozeile.h"
#include "Programmeinstellungen.h"
#include "QtTexte.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <csignal>

int main(int argc, char** argv)
{
#ifdef SIGPIPE
    // A closed pipe (loggen | head) must not end the program before it logs off: the write fails instead.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    // The same name as the window's, so both find the same settings and backups.
    QCoreApplication::setApplicationName(shell::Anwendungstitel);
    QCoreApplication::setApplicationVersion(QStringLiteral(KLINGPORT_VERSION));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtTexte;
    platform::qtTexteLaden(qtTexte);

    const auto aufruf = AufrufLesen(QCoreApplication::arguments());
    if (const Ausgang* sofort = std::get_if<Ausgang>(&aufruf))
        return static_cast<int>(*sofort);
    return static_cast<int>(Kommandozeile(std::get<Aufruf>(aufruf)).ausführen());
}
