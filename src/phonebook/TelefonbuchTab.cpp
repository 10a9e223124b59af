#include "TelefonbuchTab.h"

#include "Steuerelemente.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <initializer_list>

using steuerelemente::anlegen;
using steuerelemente::rahmen;

namespace {

QTableWidget* gitterAnlegen(QWidget* parent)
{
    auto* gitter = new QTableWidget(parent);
    gitter->setObjectName(QStringLiteral("MSFlexGrid1"));
    return gitter;
}

} // namespace

TelefonbuchTab::TelefonbuchTab(QWidget* parent)
    : QWidget(parent), MSFlexGrid1(gitterAnlegen(this)),
      cmd_TelbuchAusAnlageLaden(
          anlegen<QPushButton>(this, "cmd_TelbuchAusAnlageLaden", "Aus Klingport laden")),
      cmd_TelbuchInAnlageSpeichern(
          anlegen<QPushButton>(this, "cmd_TelbuchInAnlageSpeichern", "In Klingport speichern")),
      cmd_TelbuchAusAnlageLoeschen(
          anlegen<QPushButton>(this, "cmd_TelbuchAusAnlageLoeschen", "Telefonbuch löschen")),
      cmd_TelbuchAusDateiLaden(anlegen<QPushButton>(this, "cmd_TelbuchAusDateiLaden", "Aus Datei laden")),
      cmd_TelbuchInDateiSpeichern(
          anlegen<QPushButton>(this, "cmd_TelbuchInDateiSpeichern", "In Datei speichern")),
      cmd_TelbuchDrucken(anlegen<QPushButton>(this, "cmd_TelbuchDrucken", "Drucken")),
      cmd_TelbuchBearbeiten(anlegen<QPushButton>(this, "cmd_TelbuchBearbeiten", "Bearbeiten")),
      cmd_TelbuchLöschen(anlegen<QPushButton>(this, "cmd_TelbuchLöschen", "Löschen")),
      Cmd_RufInformationAbholen(anlegen<QPushButton>(this, "Cmd_RufInformationAbholen", "Ruftaste zuordnen"))
{
    // The transfer buttons wait for an open serial port.
    cmd_TelbuchAusAnlageLaden->setEnabled(false);
    cmd_TelbuchInAnlageSpeichern->setEnabled(false);

    auto* befehle = new QVBoxLayout;
    befehle->addWidget(
        rahmen(this, "Frame3", "Telefonbuch",
               {cmd_TelbuchAusAnlageLaden, cmd_TelbuchInAnlageSpeichern, cmd_TelbuchAusAnlageLoeschen,
                cmd_TelbuchAusDateiLaden, cmd_TelbuchInDateiSpeichern, cmd_TelbuchDrucken}));
    befehle->addWidget(rahmen(this, "Frame2", "Telefonbucheintrag",
                              {cmd_TelbuchBearbeiten, cmd_TelbuchLöschen, Cmd_RufInformationAbholen}));
    befehle->addStretch();

    auto* seite = new QHBoxLayout(this);
    seite->addWidget(MSFlexGrid1, 1);
    seite->addLayout(befehle);
}
