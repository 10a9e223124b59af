#pragma once

#include <QWidget>

namespace platform {
class MessageBoxes;
class SystemInfoTool;
} // namespace platform

// The about box: title, version from the build, and the way to the system information tool.
class frmAbout : public QWidget {
public:
    frmAbout(platform::MessageBoxes& meldungen, platform::SystemInfoTool& systemInfo,
             QWidget* parent = nullptr);

    void cmdSysInfo_Click();

private:
    platform::MessageBoxes& meldungen;
    platform::SystemInfoTool& systemInfo;
};
