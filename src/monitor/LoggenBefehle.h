#pragma once

#include "Befehlsumgebung.h"
#include "Druckdateidialog.h"
#include "FileDialogs.h"

#include <QObject>

class LoggenTab;

namespace platform {
class FileDialogs;
class Printers;
} // namespace platform

// The log tab's commands: bus logging on and off, with the device's reports decoded into the log;
// clearing the log; saving it to and opening it from ".log" files; printing it.
class LoggenBefehle : public QObject {
public:
    LoggenBefehle(LoggenTab& tab, Befehlsumgebung umgebung, platform::FileDialogs& dateidialoge,
                  platform::Printers& drucker, QObject* parent = nullptr);

    void cmd_StartLog_Click();
    void cmd_DeleteLog_Click();
    void cmd_SaveLog_Click();
    void cmd_OpenLog_Click();
    void cmd_LoggDrucken_Click();
    // One complete report from the device, CR LF included.
    void berichtEmpfangen(const QByteArray& bericht);
    // The line broke: the device no longer reports. True when logging was running.
    bool verbindungVerloren();
    // Switches logging off as Stop does, when it runs: before the port goes to another device.
    void LoggenBeenden();

private:
    bool loggt() const;

    LoggenTab& tab;
    Befehlsumgebung u;
    platform::Dateidialog cdia_Log;
    platform::Druckdateidialog druckdatei;
    platform::Printers& drucker;
};
