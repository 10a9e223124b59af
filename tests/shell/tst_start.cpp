// The real parts the program starts with: the settings file, two real processes, the message boxes,
// the file dialogs' filters, and the tabs as a screen reader meets them.

#include "FakeSettingsStore.h"
#include "FileDialogs.h"
#include "FirmwareTab.h"
#include "KonfigurationTab.h"
#include "LoggenTab.h"
#include "Programmeinstellungen.h"
#include "QtMessageBoxes.h"
#include "QtSettingsStore.h"
#include "TelefonbuchTab.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using platform::Buttons;
using platform::Icon;
using platform::Reply;

Q_DECLARE_METATYPE(platform::Buttons)
Q_DECLARE_METATYPE(platform::Icon)
Q_DECLARE_METATYPE(platform::Reply)

namespace {

} // namespace

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
        QTest::newRow("COM1, on") << 1 << true;
        QTest::newRow("COM6, off") << 6 << false;
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

    // Loading stops at a missing port, as on the very first run; a long file name is cut at its front.
    void ohnePortUndLangeNamen()
    {
        FakeSettingsStore store;
        store.setValue("Settings", "Firmwaredateiname", "/f.tsk");
        shell::Programmeinstellungen gelesen;
        QVERIFY(!shell::EinstellungenLaden(store, gelesen).vollständig);
        QVERIFY(gelesen.FirmwarePfad.isEmpty());
        const QString pfad = "/" + QString(91, 'a') + "b";
        QCOMPARE(shell::Dateibeschriftung(pfad), pfad);
        QCOMPARE(shell::Dateibeschriftung(pfad + "c"), "..." + pfad.right(89) + "c");
    }

    // A second instance is refused while the first runs, and starts once the first has gone.
    void secondProcessIsRefused()
    {
        QTemporaryDir dir;
        const QString ordner = dir.filePath("config/Welko Klingport Inbetriebnahmesoftware");
        QVERIFY(QDir().mkpath(ordner));
        QFile conf(ordner + "/Welko Klingport Inbetriebnahmesoftware.conf");
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[Settings]\nComport=\\x1\n[Ports]\nCOM1=" + dir.filePath("no-such-port").toUtf8() + "\n");
        conf.close();
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        umgebung.insert("QT_QPA_PLATFORM", "offscreen");
        umgebung.insert("QT_LOGGING_RULES", "klingport.message.info=true");
        // Starts the program and waits for `text` on its stderr; false when it never came.
        const auto starten = [&](QProcess& p, const QByteArray& text) {
            p.setProcessEnvironment(umgebung);
            p.start(QStringLiteral(KLINGPORT_PROGRAM), {});
            QByteArray gelesen;
            return QTest::qWaitFor([&] { return (gelesen += p.readAllStandardError()).contains(text); },
                                   10000) &&
                   !gelesen.contains(text == "Programm läuft bereits!" ? "COM-Port" : "bereits");
        };
        QProcess erster, zweiter, dritter;
        QVERIFY(starten(erster, "COM-Port nicht vorhanden oder belegt!")); // the first is up
        QVERIFY(starten(zweiter, "Programm läuft bereits!"));
        QTest::qWait(200);
        QCOMPARE(erster.state(), QProcess::Running);
        for (QProcess* p : {&zweiter, &erster}) {
            p->kill();
            p->waitForFinished(3000);
        }
        QVERIFY(starten(dritter, "COM-Port nicht vorhanden oder belegt!"));
        dritter.kill();
        dritter.waitForFinished(3000);
    }

    void messageBoxes_data()
    {
        QTest::addColumn<Buttons>("knöpfe");
        QTest::addColumn<Icon>("symbol");
        QTest::addColumn<platform::Default>("standard");
        QTest::addColumn<QString>("klick");
        QTest::addColumn<Reply>("antwort");
        QTest::addColumn<int>("qtSymbol");
        QTest::addColumn<QString>("knopftexte"); // the default one first
        const auto erster = platform::Default::First;
        QTest::newRow("OK, exclamation") << Buttons::Ok << Icon::Exclamation << erster << "OK" << Reply::Ok
                                         << int(QMessageBox::Warning) << "OK";
        QTest::newRow("yes/no, yes") << Buttons::YesNo << Icon::Critical << erster << "Ja" << Reply::Yes
                                     << int(QMessageBox::Critical) << "Ja Nein";
        QTest::newRow("yes/no, no") << Buttons::YesNo << Icon::Question << erster << "Nein" << Reply::No
                                    << int(QMessageBox::Question) << "Ja Nein";
        QTest::newRow("OK/cancel, cancel preselected")
            << Buttons::OkCancel << Icon::Critical << platform::Default::Second << "Abbrechen"
            << Reply::Cancel << int(QMessageBox::Critical) << "Abbrechen OK";
        QTest::newRow("OK/cancel, OK") << Buttons::OkCancel << Icon::Information << erster << "OK"
                                       << Reply::Ok << int(QMessageBox::Information) << "OK Abbrechen";
        QTest::newRow("no icon") << Buttons::Ok << Icon::None << erster << "OK" << Reply::Ok
                                 << int(QMessageBox::NoIcon) << "OK";
    }
    void messageBoxes()
    {
        QFETCH(Buttons, knöpfe);
        QFETCH(Icon, symbol);
        QFETCH(platform::Default, standard);
        QFETCH(QString, klick);
        platform::QtMessageBoxes meldungen("Welko Klingport Inbetriebnahmesoftware");
        QStringList gesehen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            gesehen = QStringList{box->windowTitle(), box->text(), QString::number(box->icon())};
            QStringList texte = {box->defaultButton()->text()};
            for (QAbstractButton* knopf : box->buttons())
                if (knopf != box->defaultButton())
                    texte.append(knopf->text());
            gesehen.append(texte.join(' '));
            for (QAbstractButton* knopf : box->buttons())
                if (knopf->text() == klick)
                    knopf->click();
        });
        QTEST(meldungen.show("Zeile 1\r\nZeile 2", symbol, knöpfe, standard), "antwort");
        QFETCH(int, qtSymbol);
        QFETCH(QString, knopftexte);
        QCOMPARE(gesehen, QStringList({"Welko Klingport Inbetriebnahmesoftware", "Zeile 1\r\nZeile 2",
                                       QString::number(qtSymbol), knopftexte}));
    }

    void fileDialogFilters()
    {
        QCOMPARE(platform::QtFileDialogs::qtFilter("Logdateien (*.log)|*.log"), "Logdateien (*.log)");
        QCOMPARE(platform::QtFileDialogs::qtFilter("Firmware (*.tsk)|*.tsk|Alle Dateien (*.*)|*.*"),
                 "Firmware (*.tsk);;Alle Dateien (*.*)");
        QCOMPARE(platform::QtFileDialogs::qtFilter("*.kpk"), "*.kpk");
    }

    // Every control a user reaches has a name for a screen reader, a text box its label's.
    void tabs()
    {
        KonfigurationTab konfiguration;
        TelefonbuchTab telefonbuch;
        LoggenTab loggen;
        FirmwareTab firmware;
        const auto name = [](QWidget* w) {
            QAccessibleInterface* schnittstelle = QAccessible::queryAccessibleInterface(w);
            return schnittstelle ? schnittstelle->text(QAccessible::Name) : QString();
        };
        for (QWidget* tab : std::initializer_list<QWidget*>{&konfiguration, &telefonbuch, &loggen, &firmware})
            for (QWidget* w : tab->findChildren<QWidget*>())
                if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_") &&
                    (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                     qobject_cast<QGroupBox*>(w) || qobject_cast<QAbstractScrollArea*>(w)))
                    QVERIFY2(!name(w).isEmpty(), qPrintable(w->objectName()));
        QCOMPARE(name(konfiguration.txt_PIN), "PIN :");
        QCOMPARE(name(konfiguration.findChild<QLineEdit*>("txt_Türgesprächszeit")),
                 "Türgesprächszeit (in Sek.) :");
        QVERIFY(loggen.txt_Log->isReadOnly());

        // The options of a frame are one group: choosing one clears the others of that frame only.
        const auto optionen = konfiguration.findChildren<QRadioButton*>();
        for (QRadioButton* option : optionen)
            option->setChecked(true);
        for (QRadioButton* option : optionen) {
            option->setChecked(true);
            for (QRadioButton* andere : optionen)
                if (andere->parent() == option->parent())
                    QCOMPARE(andere->isChecked(), andere == option);
            QCOMPARE(
                int(std::count_if(optionen.begin(), optionen.end(), [](auto* o) { return o->isChecked(); })),
                4);
        }
    }
};

QTEST_MAIN(tst_Start)
#include "tst_start.moc"
