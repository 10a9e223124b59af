#pragma once

#include "Befehlsumgebung.h"

#include <QObject>
#include <functional>

class FirmwareTab;
class FirmwarestandBefehle;

namespace platform {
class FileDialogs;
}

// The chosen image files. They belong to the program's settings, which `speichern` saves.
struct Imagepfade {
    QString& firmware;
    QString& bustreiber;
    std::function<void()> speichern;
};

// The firmware tab's file choice and uploads of firmware ("*.tsk") and bus-driver ("*.hex") images.
// An image travels as the file holds it; after an upload that the device had accepted and then
// lost, the user resets the device and the version is read again.
class UpdateBefehle : public QObject {
public:
    UpdateBefehle(FirmwareTab& tab, Befehlsumgebung umgebung, platform::FileDialogs& dateidialoge,
                  FirmwarestandBefehle& firmwarestand, Imagepfade pfade, QObject* parent = nullptr);

    void cmd_FirmwaredateiÄndern_Click();
    void cmd_BustreiberdateiÄndern_Click();
    void cmd_Update_Click();
    void cmd_Bustreiberupdate_Click();

    struct Art;

private:
    QString& pfadVon(const Art& art);
    void dateiÄndern(const Art& art);
    void hochladen(const Art& art);
    void ergebnisMelden(const Art& art, kommunikation::Ergebnis ergebnis);

    FirmwareTab& tab;
    Befehlsumgebung u;
    platform::FileDialogs& dateidialoge;
    FirmwarestandBefehle& firmwarestand;
    Imagepfade pfade;
};
