// The settings as a real settings file carries them between runs, and the file dialogs' filters.

#include "FakeSettingsStore.h"
#include "FileDialogs.h"
#include "Programmeinstellungen.h"
#include "QtSettingsStore.h"

#include <QTemporaryDir>
#include <QTest>

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

    void fileDialogFilters()
    {
        QCOMPARE(platform::QtFileDialogs::qtFilter("Logdateien (*.log)|*.log"), "Logdateien (*.log)");
        QCOMPARE(platform::QtFileDialogs::qtFilter("Firmware (*.tsk)|*.tsk|Alle Dateien (*.*)|*.*"),
                 "Firmware (*.tsk);;Alle Dateien (*.*)");
        QCOMPARE(platform::QtFileDialogs::qtFilter("*.kpk"), "*.kpk");
    }
};

QTEST_MAIN(tst_Start)
#include "tst_start.moc"
