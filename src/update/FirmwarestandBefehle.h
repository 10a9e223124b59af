#pragma once

#include "Befehlsumgebung.h"

#include <QObject>
#include <functional>

class FirmwareTab;

// "Auslesen" in the frame "Firmwarestand": reads the device's version answer, shows it and tells a
// device with only its bootloader or without bus driver. The key "r" on the button first restarts
// the device into its bootloader; it works once until a complete version answer has been read.
class FirmwarestandBefehle : public QObject {
public:
    // `wait` pauses with the window responsive.
    FirmwarestandBefehle(FirmwareTab& tab, Befehlsumgebung umgebung, std::function<void(int)> wait,
                         QObject* parent = nullptr);

    void cmd_FirmwareAuslesen_Click();
    bool resetAngefordert() const { return ResetAngefordert; }

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void BootladerResetten();

    FirmwareTab& tab;
    Befehlsumgebung u;
    std::function<void(int)> wait;
    bool ResetAngefordert = false;
};
