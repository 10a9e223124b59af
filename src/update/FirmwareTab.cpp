#include "FirmwareTab.h"

#include "Steuerelemente.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <initializer_list>

using steuerelemente::anlegen;

namespace {

QLabel* anzeigeAnlegen(QWidget* parent, const char* name)
{
    auto* anzeige = anlegen<QLabel>(parent, name);
    // Paths and device answers are shown as they are, never read as rich text.
    anzeige->setTextFormat(Qt::PlainText);
    anzeige->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // A long path is cut at the frame's edge instead of widening the fixed-size window.
    anzeige->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    return anzeige;
}

// Puts the display on its own full-width line and the buttons right-aligned below it.
QGroupBox* rahmen(QWidget* parent, const char* name, const char* titel, QLabel* anzeige,
                  std::initializer_list<QPushButton*> knöpfe)
{
    auto* box = anlegen<QGroupBox>(parent, name, titel);
    auto* knopfzeile = new QHBoxLayout;
    knopfzeile->addStretch();
    for (QPushButton* knopf : knöpfe)
        knopfzeile->addWidget(knopf);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(anzeige);
    layout->addLayout(knopfzeile);
    return box;
}

} // namespace

FirmwareTab::FirmwareTab(QWidget* parent)
    : QWidget(parent), cmd_Update(anlegen<QPushButton>(this, "cmd_Update", "Übertragen")),
      cmd_FirmwaredateiÄndern(anlegen<QPushButton>(this, "cmd_FirmwaredateiÄndern", "Datei auswählen")),
      lab_Firmwaredateiname(anzeigeAnlegen(this, "lab_Firmwaredateiname")),
      cmd_FirmwareAuslesen(anlegen<QPushButton>(this, "cmd_FirmwareAuslesen", "Auslesen")),
      lab_Firmwarestand(anzeigeAnlegen(this, "lab_Firmwarestand")),
      cmd_Bustreiberupdate(anlegen<QPushButton>(this, "cmd_Bustreiberupdate", "Übertragen")),
      cmd_BustreiberdateiÄndern(anlegen<QPushButton>(this, "cmd_BustreiberdateiÄndern", "Datei auswählen")),
      lab_Bustreiberdateiname(anzeigeAnlegen(this, "lab_Bustreiberdateiname"))
{
    auto* seite = new QVBoxLayout(this);
    seite->addWidget(rahmen(this, "Frame4", "Firmwaredatei", lab_Firmwaredateiname,
                            {cmd_FirmwaredateiÄndern, cmd_Update}));
    seite->addWidget(
        rahmen(this, "fra_Firmwarestand", "Firmwarestand", lab_Firmwarestand, {cmd_FirmwareAuslesen}));
    seite->addWidget(rahmen(this, "Frame9", "Bustreiberdatei", lab_Bustreiberdateiname,
                            {cmd_BustreiberdateiÄndern, cmd_Bustreiberupdate}));
    seite->addStretch();
}
