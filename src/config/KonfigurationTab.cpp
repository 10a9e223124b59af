#include "KonfigurationTab.h"

#include "Steuerelemente.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <initializer_list>
#include <utility>

using steuerelemente::anlegen;
using steuerelemente::rahmen;

namespace {

// Limits a box to `stellen` characters and narrows it to match; the times and the PIN are short numbers.
void schmal(QLineEdit* box, int stellen)
{
    box->setMaxLength(stellen);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QString(stellen + 3, QLatin1Char('0'))));
}

} // namespace

KonfigurationTab::KonfigurationTab(QWidget* parent)
    : QWidget(parent), obu_Nebenstellenanschluß(
                           anlegen<QRadioButton>(this, "obu_Nebenstellenanschluß", "Nebenstellenanschluss")),
      obu_Amtsanschluß(anlegen<QRadioButton>(this, "obu_Amtsanschluß", "Amtsanschluss")),
      lab_PIN(anlegen<QLabel>(this, "lab_PIN", "PIN :")), txt_PIN(anlegen<QLineEdit>(this, "txt_PIN")),
      lab_LokaleRufzeit(anlegen<QLabel>(this, "lab_LokaleRufzeit", "Lokale Rufzeit (in Sek.) :")),
      txt_LokaleRufzeit(anlegen<QLineEdit>(this, "txt_LokaleRufzeit")),
      lab_ExterneRufzeit(anlegen<QLabel>(this, "lab_ExterneRufzeit", "Externe Rufzeit (in Sek.) :")),
      txt_ExterneRufzeit(anlegen<QLineEdit>(this, "txt_ExterneRufzeit")),
      lab_Türgesprächszeit(anlegen<QLabel>(this, "lab_Türgesprächszeit", "Türgesprächszeit (in Sek.) :")),
      txt_Türgesprächszeit(anlegen<QLineEdit>(this, "txt_Türgesprächszeit")),
      obu_MithörAus(anlegen<QRadioButton>(this, "obu_MithörAus", "An")),
      obu_MithörAn(anlegen<QRadioButton>(this, "obu_MithörAn", "Aus")),
      obu_Variante1(anlegen<QRadioButton>(this, "obu_Variante1", "1 (Tag)")),
      obu_Variante2(anlegen<QRadioButton>(this, "obu_Variante2", "2 (Nacht)")),
      chk_ab_masterrufumleitung(anlegen<QCheckBox>(this, "chk_ab_masterrufumleitung", "Anrufbeantworter")),
      obu_aus(anlegen<QRadioButton>(this, "obu_aus", "aus")),
      obu_verzögert(anlegen<QRadioButton>(this, "obu_verzögert", "verzögert")),
      obu_sofort(anlegen<QRadioButton>(this, "obu_sofort", "sofort")),
      txt_Masterumleitungsnummer(anlegen<QLineEdit>(this, "txt_Masterumleitungsnummer")),
      cmd_KonfigAusAnlageLaden(anlegen<QPushButton>(this, "cmd_KonfigAusAnlageLaden", "Aus Klingport laden")),
      cmd_KonfigInAnlageSpeichern(
          anlegen<QPushButton>(this, "cmd_KonfigInAnlageSpeichern", "In Klingport speichern")),
      cmd_Werkseinstellungen(anlegen<QPushButton>(this, "cmd_Werkseinstellungen", " Werkseinstellungen")),
      cmd_KonfigAusDateiLaden(anlegen<QPushButton>(this, "cmd_KonfigAusDateiLaden", "Aus Datei laden")),
      cmd_KonfigInDateiSpeichern(
          anlegen<QPushButton>(this, "cmd_KonfigInDateiSpeichern", "In Datei speichern")),
      cmd_KonfigDrucken(anlegen<QPushButton>(this, "cmd_KonfigDrucken", "Drucken"))
{
    schmal(txt_PIN, 4);
    schmal(txt_LokaleRufzeit, 3);
    schmal(txt_ExterneRufzeit, 3);
    schmal(txt_Türgesprächszeit, 3);
    txt_Masterumleitungsnummer->setMaxLength(25);

    // The transfer buttons wait for an open serial port.
    cmd_KonfigAusAnlageLaden->setEnabled(false);
    cmd_KonfigInAnlageSpeichern->setEnabled(false);

    auto* werte = new QGridLayout;
    const std::pair<QLabel*, QLineEdit*> zeilen[] = {{lab_PIN, txt_PIN},
                                                     {lab_LokaleRufzeit, txt_LokaleRufzeit},
                                                     {lab_ExterneRufzeit, txt_ExterneRufzeit},
                                                     {lab_Türgesprächszeit, txt_Türgesprächszeit}};
    for (int zeile = 0; zeile < 4; ++zeile) {
        werte->addWidget(zeilen[zeile].first, zeile, 0);
        werte->addWidget(zeilen[zeile].second, zeile, 1, Qt::AlignLeft);
    }
    werte->setColumnStretch(2, 1);

    auto* schalter = new QHBoxLayout;
    schalter->addWidget(rahmen(this, "Frame6", "Mithören", {obu_MithörAus, obu_MithörAn}));
    schalter->addWidget(rahmen(this, "Frame8", "Variantenumschaltung", {obu_Variante1, obu_Variante2}));

    auto* links = new QVBoxLayout;
    links->addWidget(rahmen(this, "Frame10", "Anschlussart", {obu_Nebenstellenanschluß, obu_Amtsanschluß}));
    links->addLayout(werte);
    links->addLayout(schalter);
    links->addStretch();

    auto* master = anlegen<QGroupBox>(this, "Frame7", "Masterumleitungsnummer");
    auto* masterLayout = new QGridLayout(master);
    masterLayout->addWidget(txt_Masterumleitungsnummer, 0, 0, 1, 2);
    masterLayout->addWidget(obu_aus, 1, 0);
    masterLayout->addWidget(obu_verzögert, 2, 0);
    masterLayout->addWidget(obu_sofort, 3, 0);
    masterLayout->addWidget(chk_ab_masterrufumleitung, 1, 1, Qt::AlignTop);
    masterLayout->setColumnStretch(1, 1);

    auto* befehle = anlegen<QGroupBox>(this, "Frame1", "Konfiguration");
    auto* befehlsLayout = new QGridLayout(befehle);
    befehlsLayout->addWidget(cmd_KonfigAusAnlageLaden, 0, 0);
    befehlsLayout->addWidget(cmd_KonfigInAnlageSpeichern, 0, 1);
    befehlsLayout->addWidget(cmd_KonfigAusDateiLaden, 1, 0);
    befehlsLayout->addWidget(cmd_KonfigInDateiSpeichern, 1, 1);
    befehlsLayout->addWidget(cmd_Werkseinstellungen, 2, 0);
    befehlsLayout->addWidget(cmd_KonfigDrucken, 2, 1);

    auto* rechts = new QVBoxLayout;
    rechts->addWidget(master);
    rechts->addWidget(befehle);
    rechts->addStretch();

    auto* seite = new QHBoxLayout(this);
    seite->addLayout(links, 1);
    seite->addLayout(rechts, 1);
}
