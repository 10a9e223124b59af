// The settings as a real settings file carries them between runs, the real message boxes, the file
// dialogs' filters, and the main window's tabs in its fixed size.

#include "FakeSettingsStore.h"
#include "FileDialogs.h"
#include "Hauptfenster.h"
#include "Portsuche.h"
#include "Programmeinstellungen.h"
#include "QtMessageBoxes.h"
#include "QtSettingsStore.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

using platform::Buttons;
using platform::Default;
using platform::Icon;
using platform::Reply;

Q_DECLARE_METATYPE(platform::Buttons)
Q_DECLARE_METATYPE(platform::Default)
Q_DECLARE_METATYPE(platform::Icon)
Q_DECLARE_METATYPE(platform::Reply)

class tst_Start : public QObject {
    Q_OBJECT
private slots:
    // The store keeps the port and auto-scroll as character codes, which a real settings file must
    // carry through.
    void einstellungsdatei_data()
    {
        QTest::addColumn<int>("comport");
        QTest::addColumn<bool>("autoScroll");
        QTest::newRow("none, off") << 0 << false;
        QTest::newRow("COM6, on") << 6 << true;
    }
    void einstellungsdatei()
    {
        QFETCH(int, comport);
        QFETCH(bool, autoScroll);
        QTemporaryDir dir;
        const shell::Programmeinstellungen geschrieben{comport, "/home/b/Firmware Ä.tsk", "/b/bus.hex", "HP"};
        {
            auto store = platform::QtSettingsStore::atFile(dir.filePath("k.conf"));
            shell::EinstellungenSpeichern(store, geschrieben, autoScroll);
        }
        auto store = platform::QtSettingsStore::atFile(dir.filePath("k.conf"));
        QCOMPARE(store.value("Settings", "Comport"), zeichen(comport));
        QCOMPARE(store.value("Settings", "LogAutoScroll"), zeichen(autoScroll));
        shell::Programmeinstellungen gelesen;
        const shell::Ladeergebnis ergebnis = shell::EinstellungenLaden(store, gelesen);
        QVERIFY(ergebnis.vollständig);
        QCOMPARE(ergebnis.logAutoScroll, autoScroll);
        QCOMPARE(gelesen.ComportNummer, comport);
        QCOMPARE(gelesen.FirmwarePfad, geschrieben.FirmwarePfad);
        QCOMPARE(gelesen.BustreiberPfad, geschrieben.BustreiberPfad);
        QCOMPARE(gelesen.Druckername, geschrieben.Druckername);
    }

    // A long file name is cut at its front, from the 93rd character on. (Loading that stops at a missing
    // port: tst_shell's start.)
    void langeNamen()
    {
        const QString pfad = "/" + QString(91, 'a') + "b";
        QCOMPARE(shell::Dateibeschriftung(pfad), pfad);
        QCOMPARE(shell::Dateibeschriftung(pfad + "c"), "..." + pfad.right(89) + "c");
    }

#ifdef Q_OS_WIN
    // The per-user store is the registry key of the per-user settings function: a value another program
    // wrote there as REG_SZ (here without its terminating zero) is read, and what the program writes is
    // REG_SZ too, a port of code 0 included.
    void registry()
    {
        const auto breit = [](const QString& s) { return reinterpret_cast<const wchar_t*>(s.utf16()); };
        const QString programm = R"(Software\VB and VBA Program Settings\Klingport Test)";
        HKEY key = nullptr;
        QCOMPARE(RegCreateKeyExW(HKEY_CURRENT_USER, breit(programm + R"(\Settings)"), 0, nullptr, 0,
                                 KEY_ALL_ACCESS, nullptr, &key, nullptr),
                 ERROR_SUCCESS);
        const wchar_t drei = 3;
        RegSetValueExW(key, L"Comport", 0, REG_SZ, reinterpret_cast<const BYTE*>(&drei), sizeof drei);
        RegSetValueExW(key, L"Drucker", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"HP"), 3 * sizeof(wchar_t));
        platform::QtSettingsStore store("Klingport Test");
        shell::Programmeinstellungen gelesen;
        QVERIFY(shell::EinstellungenLaden(store, gelesen).vollständig);
        QCOMPARE(gelesen.ComportNummer, 3);
        QCOMPARE(gelesen.Druckername, "HP");

        shell::EinstellungenSpeichern(store, {0, "C:\\Firmware Ä.tsk"}, false);
        DWORD typ = 0;
        wchar_t wert[64] = {};
        DWORD größe = sizeof wert;
        QCOMPARE(RegQueryValueExW(key, L"Comport", nullptr, &typ, reinterpret_cast<BYTE*>(wert), &größe),
                 ERROR_SUCCESS);
        QCOMPARE(typ, DWORD(REG_SZ));
        QCOMPARE(store.value("Settings", "Comport"), zeichen(0));
        QCOMPARE(store.value("Settings", "Firmwaredateiname"), "C:\\Firmware Ä.tsk");
        RegCloseKey(key);
        RegDeleteTreeW(HKEY_CURRENT_USER, breit(programm));
    }

    // On Windows COM1 to COM6 are ports of their own; a port above them takes the lowest number whose own
    // port is absent, that has no entry and that Windows does not keep (its bitmap, as the registry holds
    // it; the program adds the chosen port's number to those).
    void windowsPorts_data()
    {
        QTest::addColumn<QByteArray>("comDb");
        QTest::addColumn<QStringList>("nachher"); // COM1 to COM6's entries
        QTest::newRow("nichts reserviert")
            << QByteArray() << QStringList{"", "COM12", "", "COM9", "COM14", ""};
        // COM4 and COM9 reserved, COM9 through the second byte.
        QTest::newRow("reserviert") << QByteArray("\x08\x01", 2)
                                    << QStringList{"", "COM12", "", "", "COM9", "COM14"};
        QTest::newRow("alles vergeben") << QByteArray("\x38", 1) << QStringList{"", "COM12", "", "", "", ""};
    }
    void windowsPorts()
    {
        QFETCH(QByteArray, comDb);
        QFETCH(QStringList, nachher);
        FakeSettingsStore store;
        store.setValue("Ports", "COM2", "COM12");
        platform::PortsZuordnen(store, {"COM1", "COM3", "COM9", "COM12", "COM14"},
                                platform::reservierteNummern(comDb));
        QStringList einträge;
        for (int n = 1; n <= 6; ++n)
            einträge.append(store.value("Ports", QString("COM%1").arg(n)));
        QCOMPARE(einträge, nachher);
    }
#endif

    // A box as the user meets it: the program's title, German buttons, its icon, and Enter pressing
    // the default button ("Nein" where a question could destroy data).
    void meldungsfenster_data()
    {
        QTest::addColumn<Buttons>("knöpfe");
        QTest::addColumn<Default>("standard");
        QTest::addColumn<Icon>("symbol");
        QTest::addColumn<QStringList>("texte");
        QTest::addColumn<int>("qtSymbol");
        QTest::addColumn<Reply>("antwort"); // to Enter
        QTest::newRow("OK") << Buttons::Ok << Default::First << Icon::Information << QStringList{"OK"}
                            << int(QMessageBox::Information) << Reply::Ok;
        QTest::newRow("Abbrechen vorgewählt")
            << Buttons::OkCancel << Default::Second << Icon::Question << QStringList{"Abbrechen", "OK"}
            << int(QMessageBox::Question) << Reply::Cancel;
        QTest::newRow("Ja, Nein") << Buttons::YesNo << Default::First << Icon::Exclamation
                                  << QStringList{"Ja", "Nein"} << int(QMessageBox::Warning) << Reply::Yes;
        QTest::newRow("Nein vorgewählt")
            << Buttons::YesNo << Default::Second << Icon::Critical << QStringList{"Ja", "Nein"}
            << int(QMessageBox::Critical) << Reply::No;
    }
    void meldungsfenster()
    {
        QFETCH(Buttons, knöpfe);
        QFETCH(Default, standard);
        QFETCH(Icon, symbol);
        platform::QtMessageBoxes meldungen("Welko Klingport Inbetriebnahmesoftware");
        QString titel;
        QStringList texte;
        int qtSymbol = -1;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            titel = box->windowTitle();
            for (const QAbstractButton* knopf : box->buttons())
                texte.append(knopf->text());
            texte.sort(); // as laid out, which differs between styles
            qtSymbol = int(box->icon());
            QTest::keyClick(box, Qt::Key_Return);
        });
        QTEST(meldungen.show("Text", symbol, knöpfe, standard), "antwort");
        QCOMPARE(titel, "Welko Klingport Inbetriebnahmesoftware");
        QTEST(texte, "texte");
        QTEST(qtSymbol, "qtSymbol");
    }

    // Every tab's layout has room for its controls whole in the window's fixed size, with the fonts of
    // the platform: under Wine, Windows' own platform and fonts.
    void tabsPassen()
    {
        Hauptfenster h;
        auto* tabs = h.control<QTabWidget>("SSTab1");
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QWidget* seite = tabs->widget(i);
            const QString name = tabs->tabText(i).trimmed();
            QVERIFY2(QTest::qWaitFor([seite] { return seite->isVisible(); }), qPrintable(name));
            const QSize nötig = seite->minimumSizeHint();
            QVERIFY2(nötig.boundedTo(seite->size()) == nötig, qPrintable(name));
        }
    }

    // A name typed without its extension is saved with the chosen type's.
    void fileDialogFilters()
    {
        // Qt's own dialog, which the test can fill in; Windows' takes the extension from the same setting.
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QTemporaryDir ordner;
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->selectFile("anlage");
            static_cast<QDialog*>(dialog)->accept(); // as the button "Speichern" does
        });
        platform::QtFileDialogs dialoge;
        QCOMPARE(dialoge.saveFileName("Welko Klingport Konfiguration (*.kpk)|*.kpk", ordner.path()),
                 ordner.filePath("anlage.kpk"));
        QCOMPARE(platform::QtFileDialogs::endung("Alle Dateien (*.*)"), "");
        QCOMPARE(platform::QtFileDialogs::qtFilter("Logdateien (*.log)|*.log"), "Logdateien (*.log)");
        QCOMPARE(platform::QtFileDialogs::qtFilter("Firmware (*.tsk)|*.tsk|Alle Dateien (*.*)|*.*"),
                 "Firmware (*.tsk);;Alle Dateien (*.*)");
        QCOMPARE(platform::QtFileDialogs::qtFilter("*.kpk"), "*.kpk");
    }
};

QTEST_MAIN(tst_Start)
#include "tst_start.moc"
