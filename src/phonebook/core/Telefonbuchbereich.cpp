#include "Telefonbuchbereich.h"

#include "Geraeteabbild.h"
#include "Textfelder.h"
#include "Windows1252.h"

#include <QStringList>

using textfelder::ausschnitt;

namespace {

constexpr int Einträge = 256;
constexpr int Eintragsgröße = 64;
constexpr int Namen = 4096;
constexpr int Namensbreite = 20;
constexpr int Adressbytes = 8;
constexpr int Nummernbreite = 25;

namespace feld {
constexpr int Türstation = 8;
constexpr int Anrufbeantworter1 = 10;
constexpr int Nummer1 = 11;
constexpr int Anrufbeantworter2 = 36;
constexpr int Nummer2 = 37;
} // namespace feld

QString text(QByteArrayView bytes)
{
    return windows1252::dekodieren(bytes);
}

// "12-34-56-78-9A-00-00-00"
QString adresseAus(QByteArrayView bytes)
{
    static constexpr char16_t Ziffern[] = u"0123456789ABCDEF";
    QString adresse(Adressbytes * 3 - 1, u'-');
    for (int i = 0; i < Adressbytes; ++i) {
        const int wert = i < bytes.size() ? static_cast<quint8>(bytes[i]) : 0;
        adresse[3 * i] = Ziffern[wert >> 4];
        adresse[3 * i + 1] = Ziffern[wert & 0xF];
    }
    return adresse;
}

Telefonbucheintrag eintragAus(QByteArrayView satz, QByteArrayView name)
{
    const auto byteAn = [&](int stelle) { return stelle < satz.size() ? satz[stelle] : '\0'; };
    Telefonbucheintrag e;
    e.Nummer1 = text(textfelder::Cut0(ausschnitt(satz, feld::Nummer1, Nummernbreite)));
    e.Nummer2 = text(textfelder::Cut0(ausschnitt(satz, feld::Nummer2, Nummernbreite)));
    const bool ab1 = byteAn(feld::Anrufbeantworter1) == 'A';
    const bool ab2 = byteAn(feld::Anrufbeantworter2) == 'A';
    e.Anrufbeantworter = QString::number((ab1 ? 1 : 0) + (ab2 ? 2 : 0));
    const char tür = byteAn(feld::Türstation);
    e.Türstation = tür == '\0' ? QStringLiteral("0") : text(QByteArrayView(&tür, 1));
    e.Adresse = adresseAus(ausschnitt(satz, 0, Adressbytes));
    e.Tastercode = TastercodeFür(e.Adresse);
    e.Teilnehmer = text(textfelder::Cut0A(name));
    return e;
}

// One address byte from the two digits at `stelle` of the cell; digits missing or not upper-case
// hexadecimal count as 0.
char adressbyte(const QString& adresse, int stelle)
{
    const auto ziffer = [&](int i) { return QStringView(adresse).mid(i, 1); };
    return static_cast<char>(textfelder::HEXStringToLong(ziffer(stelle)) * 16 +
                             textfelder::HEXStringToLong(ziffer(stelle + 1)));
}

char türstationsbyte(const QString& zelle)
{
    if (zelle.isEmpty() || zelle[0] < u'0' || zelle[0] > u'9')
        return '\0';
    return static_cast<char>(zelle[0].unicode());
}

// A number keeps at least one closing 0x00 in its field.
QByteArray nummernfeld(const QString& nummer)
{
    return textfelder::Put0(windows1252::kodieren(nummer).left(Nummernbreite - 1), Nummernbreite);
}

QByteArray satzAus(const Telefonbucheintrag& e)
{
    QByteArray satz;
    satz.reserve(Eintragsgröße);
    for (int gruppe = 0; gruppe < Adressbytes; ++gruppe)
        satz += adressbyte(e.Adresse, gruppe * 3);
    satz += türstationsbyte(e.Türstation);
    satz += '\0';
    satz += e.Anrufbeantworter == u"1" || e.Anrufbeantworter == u"3" ? 'A' : ' ';
    satz += nummernfeld(e.Nummer1);
    satz += e.Anrufbeantworter == u"2" || e.Anrufbeantworter == u"3" ? 'A' : ' ';
    satz += nummernfeld(e.Nummer2);
    satz += QByteArray(2, '\0');
    return satz;
}

} // namespace

bool TelefonbuchbyteGelesen(qsizetype stelle)
{
    if (stelle >= Einträge && stelle < Einträge + Telefonbucheinträge * Eintragsgröße) {
        const qsizetype imSatz = (stelle - Einträge) % Eintragsgröße;
        return imSatz != feld::Türstation + 1 && imSatz < feld::Nummer2 + Nummernbreite; // not reserved
    }
    return stelle >= Namen && stelle < Namen + Telefonbucheinträge * Namensbreite;
}

Telefonbuch TelefonbuchAusAbbild(QByteArrayView abbild)
{
    Telefonbuch telefonbuch;
    for (int n = 0; n < Telefonbucheinträge; ++n)
        telefonbuch[n] = eintragAus(ausschnitt(abbild, Einträge + Eintragsgröße * n, Eintragsgröße),
                                    ausschnitt(abbild, Namen + Namensbreite * n, Namensbreite));
    return telefonbuch;
}

QByteArray TelefonbuchInAbbild(QByteArrayView gelesen, const Telefonbuch& telefonbuch)
{
    QByteArray abbild =
        textfelder::Put0(ausschnitt(gelesen, 0, abbild::Konfigurationsgröße), abbild::Konfigurationsgröße);
    abbild.reserve(abbild::Größe);
    for (const Telefonbucheintrag& eintrag : telefonbuch)
        abbild += satzAus(eintrag);
    abbild = textfelder::Put0(abbild, Namen);
    for (const Telefonbucheintrag& eintrag : telefonbuch)
        abbild += textfelder::feldGenau(windows1252::kodieren(eintrag.Teilnehmer), Namensbreite);
    return textfelder::Put0(abbild, abbild::Größe);
}
