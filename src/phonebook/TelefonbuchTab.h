#pragma once

#include <QWidget>

class QPushButton;
class QTableWidget;

// The phone book tab of the main window. Its grid is the only copy of the phone book, so the
// controls are public under their given names; the frames are found by objectName ("Frame3" etc.).
class TelefonbuchTab : public QWidget {
public:
    explicit TelefonbuchTab(QWidget* parent = nullptr);

    QTableWidget* const MSFlexGrid1;

    // Frame3 "Telefonbuch"
    QPushButton* const cmd_TelbuchAusAnlageLaden;
    QPushButton* const cmd_TelbuchInAnlageSpeichern;
    QPushButton* const cmd_TelbuchAusAnlageLoeschen;
    QPushButton* const cmd_TelbuchAusDateiLaden;
    QPushButton* const cmd_TelbuchInDateiSpeichern;
    QPushButton* const cmd_TelbuchDrucken;

    // Frame2 "Telefonbucheintrag"
    QPushButton* const cmd_TelbuchBearbeiten;
    QPushButton* const cmd_TelbuchLöschen;
    QPushButton* const Cmd_RufInformationAbholen;
};
