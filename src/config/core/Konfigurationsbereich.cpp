#include "Konfigurationsbereich.h"

#include "Textfelder.h"
#include "Windows1252.h"

#include <optional>

using textfelder::ausschnitt;

namespace {

namespace feld {
constexpr int Anschlussart = 1;
constexpr int LokaleRufzeit = 2;
constexpr int ExterneRufzeit = 6;
constexpr int Türgesprächszeit = 10;
constexpr int Zeitbreite = 4;
constexpr int Variante = 14;
constexpr int Mithören = 15;
constexpr int PIN = 16;
constexpr int PINBreite = 5;
constexpr int Masterumleitung = 21;
constexpr int Anrufbeantworter = 64;
constexpr int Nummer = 65;
constexpr int Nummernbreite = 25;
constexpr int Ende = 90;
} // namespace feld

// The byte at `stelle`, or nothing past the end.
std::optional<quint8> byteAn(QByteArrayView abbild, int stelle)
{
    if (stelle >= abbild.size())
        return std::nullopt;
    return static_cast<quint8>(abbild[stelle]);
}

QString textfeld(QByteArrayView abbild, int stelle, int breite)
{
    return windows1252::dekodieren(textfelder::Cut0(ausschnitt(abbild, stelle, breite)));
}

QByteArray textbytes(const QString& text, int breite)
{
    return textfelder::feldGenau(windows1252::kodieren(text), breite);
}

// Bytes carried over from the image read; zeros where it is too short, so no field moves.
QByteArray kopie(QByteArrayView gelesen, int stelle, int breite)
{
    return textfelder::Put0(ausschnitt(gelesen, stelle, breite), breite);
}

char schalter(bool null)
{
    return null ? '\0' : '\1';
}

} // namespace

bool KonfigurationsbyteGelesen(qsizetype stelle)
{
    return (stelle >= feld::Anschlussart && stelle <= feld::Masterumleitung) ||
           (stelle >= feld::Anrufbeantworter && stelle < feld::Ende);
}

Konfiguration KonfigurationAusAbbild(QByteArrayView abbild, Masterumleitung bisher)
{
    Konfiguration k;
    k.anschlussart = byteAn(abbild, feld::Anschlussart) == 0 ? Anschlussart::Amtsanschluss
                                                             : Anschlussart::Nebenstellenanschluss;
    k.LokaleRufzeit = textfeld(abbild, feld::LokaleRufzeit, feld::Zeitbreite);
    k.ExterneRufzeit = textfeld(abbild, feld::ExterneRufzeit, feld::Zeitbreite);
    k.Türgesprächszeit = textfeld(abbild, feld::Türgesprächszeit, feld::Zeitbreite);
    k.variante = byteAn(abbild, feld::Variante) == 0 ? Variante::Tag : Variante::Nacht;
    k.Mithören = byteAn(abbild, feld::Mithören) == 0;
    k.PIN = textfeld(abbild, feld::PIN, feld::PINBreite);
    switch (byteAn(abbild, feld::Masterumleitung).value_or(0xFF)) {
    case 0:
        k.masterumleitung = Masterumleitung::aus;
        break;
    case 1:
        k.masterumleitung = Masterumleitung::verzögert;
        break;
    case 2:
        k.masterumleitung = Masterumleitung::sofort;
        break;
    default:
        k.masterumleitung = bisher;
    }
    k.Anrufbeantworter = textfelder::Cut0A(ausschnitt(abbild, feld::Anrufbeantworter, 1)) == "A";
    k.Masterumleitungsnummer = textfeld(abbild, feld::Nummer, feld::Nummernbreite);
    return k;
}

QByteArray KonfigurationInAbbild(QByteArrayView gelesen, const Konfiguration& k)
{
    QByteArray abbild;
    abbild.reserve(std::max<qsizetype>(gelesen.size(), feld::Ende));
    abbild += kopie(gelesen, 0, 1);
    abbild += schalter(k.anschlussart == Anschlussart::Amtsanschluss);
    abbild += textbytes(k.LokaleRufzeit, feld::Zeitbreite);
    abbild += textbytes(k.ExterneRufzeit, feld::Zeitbreite);
    abbild += textbytes(k.Türgesprächszeit, feld::Zeitbreite);
    abbild += schalter(k.variante == Variante::Tag);
    abbild += schalter(k.Mithören);
    abbild += textbytes(k.PIN, feld::PINBreite);
    abbild += static_cast<char>(k.masterumleitung);
    abbild += kopie(gelesen, feld::Masterumleitung + 1, feld::Anrufbeantworter - feld::Masterumleitung - 1);
    abbild += k.Anrufbeantworter ? 'A' : ' ';
    abbild += textbytes(k.Masterumleitungsnummer, feld::Nummernbreite);
    abbild += ausschnitt(gelesen, feld::Ende, gelesen.size());
    return abbild;
}
