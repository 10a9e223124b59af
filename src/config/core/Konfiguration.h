#pragma once

// The Klingport's parameter set as a value. The configuration tab's controls are the program's copy
// of it; this record carries it between the controls, the device image and the files.

#include <QString>
#include <QtGlobal>

enum class Anschlussart { Amtsanschluss, Nebenstellenanschluss };
enum class Variante { Tag = 1, Nacht = 2 };
// The values are the codes of the device image.
enum class Masterumleitung : quint8 { aus = 0, verzögert = 1, sofort = 2 };

struct Konfiguration {
    Anschlussart anschlussart = Anschlussart::Nebenstellenanschluss;
    QString PIN = QStringLiteral("5183");
    // Seconds as digit texts, normally three digits with leading zeros.
    QString LokaleRufzeit = QStringLiteral("030");
    QString ExterneRufzeit = QStringLiteral("030");
    QString Türgesprächszeit = QStringLiteral("060");
    Variante variante = Variante::Tag;
    bool Mithören = true; // the button captioned "An"
    Masterumleitung masterumleitung = Masterumleitung::aus;
    bool Anrufbeantworter = false;
    QString Masterumleitungsnummer;

    bool operator==(const Konfiguration&) const = default;
};

// The configuration as the tab shows it once its controls have reacted to it: without a master
// number the forwarding is off and the answering machine unticked.
inline Konfiguration KonfigurationWieAngezeigt(Konfiguration k)
{
    if (k.Masterumleitungsnummer.isEmpty()) {
        k.masterumleitung = Masterumleitung::aus;
        k.Anrufbeantworter = false;
    }
    return k;
}

// The factory values are the record's defaults.
inline Konfiguration Werkseinstellungen()
{
    return {};
}
