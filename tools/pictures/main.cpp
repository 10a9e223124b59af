// klingport-pictures: renders the main window's tabs, the settings dialog, the backups dialog and
// the about box to PNG files, with the program connected to a Klingport on the given serial device
// (klingport-sim).

#include "KonfigurationTab.h"
#include "MessageBoxes.h"
#include "Programm.h"
#include "QtPlattform.h"
#include "frmAbout.h"
#include "frm_Haupt.h"
#include "frm_Optionen.h"
#include "frm_Sicherungen.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

bool speichern(QWidget& fenster, const QDir& ziel, const QString& name)
{
    QApplication::processEvents();
    const QString pfad = ziel.filePath(name + QStringLiteral(".png"));
    const bool ok = fenster.grab().save(pfad);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(pfad));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCommandLineParser parser;
    parser.setApplicationDescription("Renders the program's windows to PNG files.");
    parser.addHelpOption();
    parser.addPositionalArgument("device", "Serial device of a Klingport, e.g. the link klingport-sim made.");
    parser.addPositionalArgument("dir", "Folder for the pictures.");
    parser.process(app);
    if (parser.positionalArguments().size() != 2)
        parser.showHelp(2);
    const QDir ziel(parser.positionalArguments().at(1));

    QTemporaryDir temp;
    shell::QtPlattform plattform(temp.filePath(QStringLiteral("settings.ini")));
    plattform.settings.setValue(QStringLiteral("Settings"), QStringLiteral("Comport"), QString(QChar(1)));
    plattform.settings.setValue(QStringLiteral("Ports"), QStringLiteral("COM1"),
                                parser.positionalArguments().at(0));
    platform::AnsweringMessageBoxes meldungen; // the device probe's message must not wait for a click
    shell::Programm programm(plattform.teile(meldungen));
    if (!programm.starten())
        return 1;
    if (!QTest::qWaitFor([&] { return programm.ersteAktivierungVorbei(); }, 20000))
        return 1;

    frm_Haupt& haupt = programm.hauptfenster();
    const QStringList tabs = {"tab-konfiguration", "tab-telefonbuch", "tab-loggen", "tab-firmware"};
    bool ok = true;
    for (int i = 0; i < tabs.size(); ++i) {
        haupt.SSTab1->setCurrentIndex(i);
        ok = speichern(haupt, ziel, tabs[i]) && ok;
    }
    haupt.SSTab1->setCurrentIndex(0);
    haupt.findChild<QAction*>(QStringLiteral("men_Optionen"))->trigger();
    ok = speichern(*programm.optionen(), ziel, QStringLiteral("einstellungen")) && ok;
    programm.optionen()->Cmd_OK_Click();
    // Two stores, each with another master number, leave two backups to list.
    for (const char* nummer : {"0301234567", "0307654321"}) {
        haupt.konfiguration->txt_Masterumleitungsnummer->setText(QString::fromUtf8(nummer));
        haupt.konfiguration->cmd_KonfigInAnlageSpeichern->click();
    }
    haupt.findChild<QAction*>(QStringLiteral("men_Sicherungen"))->trigger();
    ok = speichern(*programm.sicherungen(), ziel, QStringLiteral("sicherungen")) && ok;
    programm.sicherungen()->cmd_Schließen_Click();
    haupt.findChild<QAction*>(QStringLiteral("Info"))->trigger();
    ok = speichern(*programm.about(), ziel, QStringLiteral("info")) && ok;
    haupt.close();
    return ok ? 0 : 1;
}
