#pragma once

#include "Clock.h"
#include "FileDialogs.h"
#include "FolderViewer.h"
#include "InstanceGuard.h"
#include "Portsuche.h"
#include "Printers.h"
#include "Programm.h"
#include "QtMessageBoxes.h"
#include "QtSerialPort.h"
#include "QtSettingsStore.h"
#include "Sicherungen.h"
#include "SystemInfoTool.h"

namespace shell {

// The program's real platform: Qt's serial port, message boxes and printers, the per-user settings
// store, and one running instance per settings store.
class QtPlattform {
public:
    // Without a file: the per-user store under the application's title, and the backups in the
    // user's data folder. With one, the backups go beside it.
    explicit QtPlattform(const QString& settingsFile = {});

    Plattform teile();
    // The same with other message boxes, for tools that run the program unattended.
    Plattform teile(platform::MessageBoxes& andereMeldungen);

    platform::QtSettingsStore settings;
    platform::QtSerialPort port;
    platform::SteadyClock clock;
    platform::SystemWallClock uhr;
    platform::QtMessageBoxes meldungen{Anwendungstitel};
    platform::QtFileDialogs dateidialoge;
    platform::QtPrinters drucker;
    platform::Sicherungen sicherungen;
    // Keyed by the settings store, so a demonstration with settings of its own can run beside.
    platform::LockFileInstanceGuard instanz{settings.location()};
    platform::NativeSystemInfoTool systemInfo;
    platform::DesktopFolderViewer dateimanager;
    platform::Portordner portordner;
};

} // namespace shell
