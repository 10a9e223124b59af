#include "KonfigurationTab.h"

#include "Konfigurationsbereich.h"
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

// Narrows a box to `stellen` characters; the times and the PIN are short numbers.
void schmal(QLineEdit* box, int stellen)
{
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
    for (const auto& [label, box] :
         {std::pair{lab_PIN, txt_PIN}, std::pair{lab_LokaleRufzeit, txt_LokaleRufzeit},
          std::pair{lab_ExterneRufzeit, txt_ExterneRufzeit},
          std::pair{lab_Türgesprächszeit, txt_Türgesprächszeit}}) {
        label->setBuddy(box);
        box->setAccessibleName(label->text());
    }
    txt_Masterumleitungsnummer->setAccessibleName(QStringLiteral("Masterumleitungsnummer"));
    schmal(txt_PIN, 4);
    schmal(txt_LokaleRufzeit, 3);
    schmal(txt_ExterneRufzeit, 3);
    schmal(txt_Türgesprächszeit, 3);

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

    // The local ring time counts only on an exchange line.
    connect(obu_Amtsanschluß, &QRadioButton::toggled, txt_LokaleRufzeit, [this](bool gewählt) {
        if (gewählt)
            txt_LokaleRufzeit->setEnabled(true);
    });
    connect(obu_Nebenstellenanschluß, &QRadioButton::toggled, txt_LokaleRufzeit, [this](bool gewählt) {
        if (gewählt)
            txt_LokaleRufzeit->setEnabled(false);
    });
    // The box is read rather than the signal's text, which a refused paste leaves behind.
    connect(txt_Masterumleitungsnummer, &QLineEdit::textChanged, this, [this] {
        if (txt_Masterumleitungsnummer->text().isEmpty()) {
            chk_ab_masterrufumleitung->setChecked(false);
            obu_aus->setChecked(true);
        }
        MasterumleitungFreigeben();
    });
}

void KonfigurationTab::MasterumleitungFreigeben()
{
    const bool mitNummer = !txt_Masterumleitungsnummer->text().isEmpty();
    for (QWidget* control :
         std::initializer_list<QWidget*>{chk_ab_masterrufumleitung, obu_aus, obu_sofort, obu_verzögert})
        control->setEnabled(mitNummer);
}

Konfiguration KonfigurationTab::angezeigteKonfiguration() const
{
    Konfiguration k;
    k.anschlussart =
        obu_Amtsanschluß->isChecked() ? Anschlussart::Amtsanschluss : Anschlussart::Nebenstellenanschluss;
    k.PIN = txt_PIN->text();
    k.LokaleRufzeit = txt_LokaleRufzeit->text();
    k.ExterneRufzeit = txt_ExterneRufzeit->text();
    k.Türgesprächszeit = txt_Türgesprächszeit->text();
    k.variante = obu_Variante1->isChecked() ? Variante::Tag : Variante::Nacht;
    k.Mithören = obu_MithörAus->isChecked(); // captioned "An"
    k.masterumleitung = obu_sofort->isChecked()      ? Masterumleitung::sofort
                        : obu_verzögert->isChecked() ? Masterumleitung::verzögert
                                                     : Masterumleitung::aus;
    k.Anrufbeantworter = chk_ab_masterrufumleitung->isChecked();
    k.Masterumleitungsnummer = txt_Masterumleitungsnummer->text();
    return k;
}

void KonfigurationTab::KonfigurationAnzeigen(const Konfiguration& k)
{
    (k.anschlussart == Anschlussart::Amtsanschluss ? obu_Amtsanschluß : obu_Nebenstellenanschluß)
        ->setChecked(true);
    txt_LokaleRufzeit->setText(k.LokaleRufzeit);
    txt_ExterneRufzeit->setText(k.ExterneRufzeit);
    txt_Türgesprächszeit->setText(k.Türgesprächszeit);
    (k.variante == Variante::Tag ? obu_Variante1 : obu_Variante2)->setChecked(true);
    (k.Mithören ? obu_MithörAus : obu_MithörAn)->setChecked(true);
    txt_PIN->setText(k.PIN);
    switch (k.masterumleitung) {
    case Masterumleitung::aus:
        obu_aus->setChecked(true);
        break;
    case Masterumleitung::verzögert:
        obu_verzögert->setChecked(true);
        break;
    case Masterumleitung::sofort:
        obu_sofort->setChecked(true);
        break;
    }
    chk_ab_masterrufumleitung->setChecked(k.Anrufbeantworter);
    // Last, so that an emptied number leaves aus selected and the box unticked.
    txt_Masterumleitungsnummer->setText(k.Masterumleitungsnummer);
}

void KonfigurationTab::KonfigurationParsAnzeigen(QByteArrayView abbild)
{
    KonfigurationAnzeigen(KonfigurationAusAbbild(abbild, angezeigteKonfiguration().masterumleitung));
}

void KonfigurationTab::KonfigurationWerkseinstellungen()
{
    const Konfiguration werk = Werkseinstellungen();
    obu_Nebenstellenanschluß->setChecked(true);
    (werk.Mithören ? obu_MithörAus : obu_MithörAn)->setChecked(true);
    obu_aus->setChecked(true);
    obu_Variante1->setChecked(true);
    txt_PIN->setText(werk.PIN);
    txt_ExterneRufzeit->setText(werk.ExterneRufzeit);
    txt_LokaleRufzeit->setText(werk.LokaleRufzeit);
    txt_Türgesprächszeit->setText(werk.Türgesprächszeit);
    txt_Masterumleitungsnummer->setText(werk.Masterumleitungsnummer);
    chk_ab_masterrufumleitung->setChecked(werk.Anrufbeantworter);
}
