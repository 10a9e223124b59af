#pragma once

#include "Portverzeichnis.h"
#include "Programmeinstellungen.h"

#include <QPointer>
#include <memory>

class frm_Haupt;
class frm_Kommunikation;
class frm_Optionen;
class frm_Sicherungen;
class Verbindungswache;
class frmAbout;

namespace platform {
class Clock;
class WallClock;
class FileDialogs;
class InstanceGuard;
class MessageBoxes;
class Printers;
class SerialPort;
class Sicherungen;
class SettingsStore;
class SystemInfoTool;
class FolderViewer;
struct Portordner;
} // namespace platform

namespace shell {

// What the program needs of its platform; tests hand in fakes.
struct Plattform {
    platform::SettingsStore& settings;
    platform::SerialPort& serialPort;
    platform::Clock& clock;
    const platform::WallClock& uhr;
    platform::MessageBoxes& meldungen;
    platform::FileDialogs& dateidialoge;
    platform::Printers& drucker;
    platform::Sicherungen& sicherungen;
    platform::InstanceGuard& instanz;
    platform::SystemInfoTool& systemInfo;
    platform::FolderViewer& dateimanager;
    // Where the machine shows its serial ports.
    const platform::Portordner& portordner;
};

// The program as a whole: brings its windows up in the order of start-up and takes them down at
// the end.
class Programm {
public:
    explicit Programm(Plattform plattform);
    ~Programm();

    // Runs start-up up to the shown main window; false when the program has to end at once.
    bool starten();

    frm_Haupt& hauptfenster() { return *haupt; }
    frm_Kommunikation* kommunikation() { return link.get(); }
    frm_Optionen* optionen();
    frmAbout* about();
    frm_Sicherungen* sicherungen();
    Programmeinstellungen& einstellungen() { return werte; }
    bool ersteAktivierungVorbei() const { return aktiviert; }

    void EinstellungenSpeichern();

private:
    frm_Optionen& optionenLaden();
    void optionenZeigen();
    // Gives serial adapters seen for the first time their COM numbers.
    void PortsZuordnen();
    void infoZeigen();
    void sicherungenZeigen();
    void ersteAktivierung();
    void beenden();

    Plattform p;
    platform::Portverzeichnis ports;
    Programmeinstellungen werte;
    std::unique_ptr<frm_Haupt> haupt;
    std::unique_ptr<frm_Kommunikation> link;
    Verbindungswache* wache = nullptr;
    QPointer<frm_Optionen> optionenFenster;
    QPointer<frmAbout> aboutFenster;
    QPointer<frm_Sicherungen> sicherungenFenster;
    bool aktiviert = false;
    bool optionenGeladen = false; // the port is opened on the dialog's first load of a run only
};

} // namespace shell
