#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The firmware tab of the main window, with the controls public under their given names;
// the frames are found by objectName ("Frame4", "fra_Firmwarestand", "Frame9").
class FirmwareTab : public QWidget {
public:
    explicit FirmwareTab(QWidget* parent = nullptr);

    // Frame4 "Firmwaredatei"
    QPushButton* const cmd_Update;
    QPushButton* const cmd_FirmwaredateiÄndern;
    QLabel* const lab_Firmwaredateiname;

    // fra_Firmwarestand "Firmwarestand"
    QPushButton* const cmd_FirmwareAuslesen;
    QLabel* const lab_Firmwarestand;

    // Frame9 "Bustreiberdatei"
    QPushButton* const cmd_Bustreiberupdate;
    QPushButton* const cmd_BustreiberdateiÄndern;
    QLabel* const lab_Bustreiberdateiname;
};
