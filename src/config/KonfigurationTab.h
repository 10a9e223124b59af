#pragma once

#include "Konfiguration.h"

#include <QByteArrayView>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The configuration tab of the main window. Its controls are the only copy of the configuration,
// so they are public under their given names; the frames are found by objectName ("Frame10" etc.).
// The controls react to each other however they change: the connection type switches the local
// ring time, and the master number switches the forwarding controls.
class KonfigurationTab : public QWidget {
public:
    explicit KonfigurationTab(QWidget* parent = nullptr);

    Konfiguration angezeigteKonfiguration() const;
    // Sets the controls in the order of the device image's fields.
    void KonfigurationAnzeigen(const Konfiguration& konfiguration);
    void KonfigurationParsAnzeigen(QByteArrayView abbild);
    void KonfigurationWerkseinstellungen();
    // Switches the forwarding controls by the master number without touching their values.
    void MasterumleitungFreigeben();

    // Frame10 "Anschlussart"
    QRadioButton* const obu_Nebenstellenanschluß;
    QRadioButton* const obu_Amtsanschluß;

    QLabel* const lab_PIN;
    QLineEdit* const txt_PIN;
    QLabel* const lab_LokaleRufzeit;
    QLineEdit* const txt_LokaleRufzeit;
    QLabel* const lab_ExterneRufzeit;
    QLineEdit* const txt_ExterneRufzeit;
    QLabel* const lab_Türgesprächszeit;
    QLineEdit* const txt_Türgesprächszeit;

    // Frame6 "Mithören": the names say the opposite of the captions ("An", "Aus").
    QRadioButton* const obu_MithörAus;
    QRadioButton* const obu_MithörAn;

    // Frame8 "Variantenumschaltung"
    QRadioButton* const obu_Variante1;
    QRadioButton* const obu_Variante2;

    // Frame7 "Masterumleitungsnummer"
    QCheckBox* const chk_ab_masterrufumleitung;
    QRadioButton* const obu_aus;
    QRadioButton* const obu_verzögert;
    QRadioButton* const obu_sofort;
    QLineEdit* const txt_Masterumleitungsnummer;

    // Frame1 "Konfiguration"
    QPushButton* const cmd_KonfigAusAnlageLaden;
    QPushButton* const cmd_KonfigInAnlageSpeichern;
    QPushButton* const cmd_Werkseinstellungen;
    QPushButton* const cmd_KonfigAusDateiLaden;
    QPushButton* const cmd_KonfigInDateiSpeichern;
    QPushButton* const cmd_KonfigDrucken;
};
