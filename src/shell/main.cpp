#include "Programm.h"
#include "QtPlattform.h"
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

    shell::QtPlattform plattform;
    shell::Programm programm(plattform.teile());
    if (!programm.starten())
        return 0;
    plattform.meldungen.setParent(&programm.hauptfenster());
    return QApplication::exec();
}
