#pragma once

// One run of the whole program with fakes for its platform, on the serial port the test brings.

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

#include <QTest>

// Every part of the platform but the serial port. No serial adapters unless a test gives some, so
// the machine's own stay out.
struct Plattformfakes {
    FakeSettingsStore settings;
    platform::SteadyClock clock;
    TickendeUhr uhr;
    FakeMessageBoxes meldungen;
    FakeFileDialogs dateien;
    FakePrinters drucker;
    QTemporaryDir sicherungsordner;
    platform::Sicherungen sicherungen{sicherungsordner.path()};
    FakeInstanceGuard instanz;
    FakeSystemInfoTool systemInfo;
    platform::Portordner portordner{sicherungsordner.filePath("by-id"), sicherungsordner.filePath("dev"),
                                    sicherungsordner.filePath("sys")};
};

template <typename Port> struct Programmlauf : Plattformfakes {
    Port port;
    shell::Programm programm{{settings, port, clock, uhr, meldungen, dateien, drucker, sicherungen, instanz,
                              systemInfo, portordner}};
    bool gestartet = false;

    ~Programmlauf()
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
    // A control of the main window or of the settings dialog.
    template <typename T = QWidget> T* control(const QString& name)
    {
        T* gefunden = fenster().template findChild<T*>(name);
        return gefunden || !programm.optionen() ? gefunden
                                                : programm.optionen()->template findChild<T*>(name);
    }
    void klicken(const QString& name) { control<QAbstractButton>(name)->click(); }
};

// The real serial port, with COM1 standing for klingport-sim's line; or a first run that finds the
// serial adapters of `ordner`.
struct Sitzung : Programmlauf<platform::QtSerialPort> {
    explicit Sitzung(const QString& leitung, int comport = 1)
    {
        settings.setValue("Settings", "Comport", QString(QChar(comport)));
        settings.setValue("Ports", "COM1", leitung);
    }
    explicit Sitzung(platform::Portordner ordner) { portordner = std::move(ordner); }
};
