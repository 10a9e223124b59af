#pragma once

// One run of the whole program on its real serial port, with fakes for the rest of its platform.

#include "Clock.h"
#include "FakeSettingsStore.h"
#include "Hauptfenster.h"
#include "KonfigurationTab.h"
#include "Portsuche.h"
#include "Programm.h"
#include "QtSerialPort.h"
#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"
#include "frm_Optionen.h"
#include "frm_Vergleich.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

// No serial adapters unless a test gives a folder of them, so the machine's own stay out.
struct Sitzung {
    FakeSettingsStore settings;
    platform::QtSerialPort port;
    platform::SteadyClock clock;
    TickendeUhr uhr;
    FakeMessageBoxes meldungen;
    FakeFileDialogs dateien;
    FakePrinters drucker;
    QTemporaryDir ordner;
    platform::Sicherungen sicherungen{ordner.path()};
    FakeInstanceGuard instanz;
    FakeSystemInfoTool systemInfo;
    FakeFolderViewer dateimanager;
    platform::Portordner portordner{ordner.filePath("by-id"), ordner.filePath("dev"), ordner.filePath("sys")};
    shell::Programm programm{{settings, port, clock, uhr, meldungen, dateien, drucker, sicherungen, instanz,
                              systemInfo, dateimanager, portordner}};
    bool gestartet = false;

    // COM1 is `leitung`, klingport-sim's line; `comport` the stored choice (-1: none, as on a first run).
    explicit Sitzung(const QString& leitung, int comport = 1)
    {
        settings.setValue("Ports", "COM1", leitung);
        if (comport >= 0)
            settings.setValue("Settings", "Comport", zeichen(comport));
    }
    // A first run that finds the serial adapters of `adapter`.
    explicit Sitzung(platform::Portordner adapter) { portordner = std::move(adapter); }
    ~Sitzung()
    {
        if (gestartet)
            fenster().close();
    }
    // Starts the program and lets its first activation run.
    bool starten()
    {
        gestartet = programm.starten();
        return gestartet && QTest::qWaitFor([this] { return programm.ersteAktivierungVorbei(); }, 15000);
    }
    frm_Haupt& fenster() { return programm.hauptfenster(); }
    KonfigurationTab& konfiguration() { return *fenster().konfiguration; }
    TelefonbuchModell& telefonbuch() { return fenster().telefonbuch->modell(); }
    QString log() { return fenster().loggen->log().text(); }
    // The compare dialog, closed once read, or by taking its image into the window: its count, its
    // titles, then a row a difference, "|" apart.
    static QStringList vergleich(bool insFenster = false)
    {
        auto* dialog = qobject_cast<frm_Vergleich*>(QApplication::activeModalWidget());
        if (!dialog)
            return {};
        QStringList zeilen{dialog->lab_Anzahl->text()};
        const QTableWidget& t = *dialog->lst_Unterschiede;
        for (int r = -1; r < t.rowCount(); ++r) {
            QStringList zeile;
            for (int c = 0; c < t.columnCount(); ++c)
                zeile << (r < 0 ? t.horizontalHeaderItem(c) : t.item(r, c))->text();
            zeilen << zeile.join('|');
        }
        (insFenster ? dialog->cmd_InsFensterLaden : dialog->cmd_Schließen)->click();
        return zeilen;
    }
    // A control of the main window or of the settings dialog.
    template <typename T = QWidget> T* control(const QString& name)
    {
        T* gefunden = fenster().findChild<T*>(name);
        return gefunden || !programm.optionen() ? gefunden : programm.optionen()->findChild<T*>(name);
    }
    void klicken(const QString& name) { control<QAbstractButton>(name)->click(); }
};
