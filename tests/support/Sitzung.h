#pragma once

// One run of the whole program against a device on a real serial line (klingport-sim's
// pseudo-terminal), with COM1 standing for that line and fakes for the rest of the platform.

#include "Clock.h"
#include "FakeSettingsStore.h"
#include "Fakes.h"
#include "Hauptfenster.h"
#include "KonfigurationTab.h"
#include "Logfenster.h"
#include "LoggenTab.h"
#include "Portsuche.h"
#include "Programm.h"
#include "QtSerialPort.h"
#include "Sicherungen.h"
#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"
#include "frm_Haupt.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// One run of the program on COM1, which stands for the simulator's line, or a first run that finds
// the simulator as a serial adapter.
struct Sitzung {
    FakeSettingsStore settings;
    platform::QtSerialPort port;
    platform::SteadyClock clock;
    TickendeUhr uhr;
    FakeMessageBoxes meldungen;
    FakeFileDialogs dateien;
    FakePrinters drucker;
    QTemporaryDir sicherungsordner;
    platform::Sicherungen sicherungen{sicherungsordner.path()};
    FakeInstanceGuard instanz;
    FakeSystemInfoTool systemInfo;
    // The serial ports the program finds; none unless given, so the machine's own stay out.
    platform::Portordner portordner;
    shell::Programm programm{{settings, port, clock, uhr, meldungen, dateien, drucker, sicherungen, instanz,
                              systemInfo, portordner}};

    Sitzung(const QString& leitung, int comport = 1)
        : portordner{sicherungsordner.filePath("by-id"), sicherungsordner.filePath("dev"),
                     sicherungsordner.filePath("sys")}
    {
        settings.setValue("Settings", "Comport", QString(QChar(comport)));
        settings.setValue("Ports", "COM1", leitung);
    }
    // A first run: an empty settings store and the serial adapters of `ordner`.
    explicit Sitzung(platform::Portordner ordner) : portordner(std::move(ordner)) {}
    ~Sitzung() { programm.hauptfenster().close(); }

    bool starten()
    {
        return programm.starten() &&
               QTest::qWaitFor([this] { return programm.ersteAktivierungVorbei(); }, 15000);
    }
    frm_Haupt& fenster() { return programm.hauptfenster(); }
    KonfigurationTab& konfiguration() { return *fenster().konfiguration; }
    TelefonbuchModell& telefonbuch() { return fenster().telefonbuch->modell(); }
    QString log() { return fenster().loggen->log().text(); }
    void klicken(const char* name) { fenster().findChild<QPushButton*>(name)->click(); }
};
