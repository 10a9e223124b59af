#pragma once

// One entry of the Klingport's phone book, as the grid shows it: every field is a display text,
// since a hand-edited file may bring texts that the device image could not.

#include <QByteArrayView>
#include <QString>
#include <array>
#include <optional>

struct Telefonbucheintrag {
    QString Teilnehmer;
    QString Nummer1;                                // "Telefonnummer Variante 1"
    QString Nummer2;                                // "Telefonnummer Variante 2"
    QString Anrufbeantworter = QStringLiteral("0"); // "0" none, "1" variant 1, "2" variant 2, "3" both
    QString Türstation = QStringLiteral("0");       // "0" (none) to "9"
    QString Tastercode = QStringLiteral("frei");    // "frei" or "gefangen", follows the address
    QString Adresse = QStringLiteral("00-00-00-00-00-00-00-00");

    bool operator==(const Telefonbucheintrag&) const = default;
};

constexpr int Telefonbucheinträge = 50;
using Telefonbuch = std::array<Telefonbucheintrag, Telefonbucheinträge>;

// What the fields of an entry take, as the entry editor and the device keep them. The longest name
// and number; a name's characters and a number's dialling set are the entry editor's rules (Eingabe.h).
constexpr int LängsterTeilnehmer = 20;
constexpr int LängsteNummer = 24;
// "0" to "3".
bool AnrufbeantworterGültig(const QString& zelle);
// "0" to "9".
bool TürstationGültig(const QString& zelle);
// Eight pairs of upper-case hexadecimal digits joined by "-", as the grid shows an address.
bool AdresseGültig(const QString& zelle);

// "gefangen" when the address holds a hexadecimal digit other than 0, else "frei".
QString TastercodeFür(const QString& adresse);

// The address a call-button answer names, as the grid shows it ("12-34-56-78-9A-00-00-00"). The
// answer is five pairs of hexadecimal digits (upper case), each followed by a separator that is no such
// digit, then CR LF; the address's last three bytes are always zero. None for any other answer.
std::optional<QString> RuftastenAdresse(QByteArrayView antwort);

// True when some entry has a non-zero answering-machine value; a cell that is no number counts as 0.
bool AnrufbeantworterImTelefonbuch(const Telefonbuch& telefonbuch);
