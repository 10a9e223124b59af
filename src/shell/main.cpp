#include "Clock.h"
#include "InstanceGuard.h"
#include "Printers.h"
#include "Programm.h"
#include "QtMessageBoxes.h"
#include "QtSerialPort.h"
#include "QtSettingsStore.h"
#include "SystemInfoTool.h"
#include "frm_Haupt.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(shell::Anwendungstitel);
    QApplication::setApplicationVersion(QStringLiteral(KLINGPORT_VERSION));
    // German texts in Qt's own dialogs; dates and times as a German installation writes them.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtTexte;
    if (qtTexte.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexte);

    platform::QtSettingsStore settings(shell::Anwendungstitel);
    platform::QtSerialPort port;
    platform::SteadyClock clock;
    platform::QtMessageBoxes meldungen(shell::Anwendungstitel);
    platform::QtPrinters drucker;
    // One instance per settings store, so a demonstration with settings of its own can run beside.
    platform::LockFileInstanceGuard instanz(settings.location());
    platform::NativeSystemInfoTool systemInfo;

    shell::Programm programm({settings, port, clock, meldungen, drucker, instanz, systemInfo});
    if (!programm.starten())
        return 0;
    meldungen.setParent(&programm.hauptfenster());
    return QApplication::exec();
}
