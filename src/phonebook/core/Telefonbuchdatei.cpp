#include "Telefonbuchdatei.h"

#include "Eingabe.h"
#include "Windows1252.h"

#include <QFileInfo>
#include <QStringList>

namespace {

const QString CrLf = QStringLiteral("\r\n");
constexpr int Kopfzeilen = 7;

// The fields' widths in the table and the longest text each may bring into the grid.
constexpr int Namensbreite = 21;
constexpr int Nummernbreite = 26;
constexpr int AbBreite = 3;
constexpr int TürBreite = 15;
constexpr int Adressbreite = 24;
constexpr int Adresslänge = 23;

bool vorTrennlinie(int eintrag)
{
    return eintrag % 10 == 1;
}

// The line of entry `eintrag` in the file, counted from 1.
int zeileVon(int eintrag)
{
    return Kopfzeilen + eintrag + (eintrag - 1) / 10 + 1;
}

QString gepolstert(const QString& zelle, int breite)
{
    return zelle + QString(std::max<qsizetype>(0, breite - zelle.size()), u' ');
}

QString eintragszeile(int nummer, const Telefonbucheintrag& e)
{
    return u'\t' + QString::number(nummer) + u'\t' + gepolstert(e.Teilnehmer, Namensbreite) + u'\t' +
           gepolstert(e.Nummer1, Nummernbreite) + u'\t' + gepolstert(e.Nummer2, Nummernbreite) + u'\t' +
           gepolstert(e.Anrufbeantworter, AbBreite) + u'\t' + gepolstert(e.Türstation, TürBreite) + u'\t' +
           gepolstert(e.Adresse, Adressbreite) + u'\t';
}

QStringList zeilenDerDatei(QByteArrayView datei)
{
    QString text = windows1252::dekodieren(datei);
    text.replace(CrLf, QStringLiteral("\n")).replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
}

// Takes the text up to the next TAB off the front of `rest`, and the TAB; empty when there is none.
std::optional<QString> bisTab(QStringView& rest)
{
    const qsizetype tab = rest.indexOf(u'\t');
    if (tab < 0)
        return std::nullopt;
    const QString feld = rest.left(tab).toString();
    rest = rest.mid(tab + 1);
    return feld;
}

QString ohneBlanksAmEnde(QString zelle)
{
    while (zelle.endsWith(u' '))
        zelle.chop(1);
    return zelle;
}

std::variant<Telefonbucheintrag, QString> eintragAus(QStringView zeile)
{
    const QString fehlendeTabs = QStringLiteral("Es fehlen Tabulatoren.");
    if (!zeile.startsWith(u'\t'))
        return fehlendeTabs;
    QStringView rest = zeile.mid(1);
    if (!bisTab(rest))
        return fehlendeTabs;
    QString zellen[5];
    for (QString& zelle : zellen) {
        const std::optional<QString> feld = bisTab(rest);
        if (!feld)
            return fehlendeTabs;
        zelle = ohneBlanksAmEnde(*feld);
    }
    Telefonbucheintrag e{
        zellen[0], zellen[1], zellen[2], zellen[3], zellen[4], {}, rest.left(Adresslänge).toString()};
    e.Tastercode = TastercodeFür(e.Adresse);

    if (e.Teilnehmer.size() > LängsterTeilnehmer)
        return QStringLiteral("Die Bezeichnung ist länger als %1 Zeichen.").arg(LängsterTeilnehmer);
    if (e.Nummer1.size() > LängsteNummer || e.Nummer2.size() > LängsteNummer)
        return QStringLiteral("Eine Telefonnummer ist länger als %1 Zeichen.").arg(LängsteNummer);
    // A hand-edited file obeys the entry editor's rules as the table file does.
    if (!RegelVerletzt(e.Nummer1, Feldart::Wahlnummer).isEmpty() ||
        !RegelVerletzt(e.Nummer2, Feldart::Wahlnummer).isEmpty())
        return QStringLiteral("Eine Telefonnummer enthält andere Zeichen als Ziffern und , p P * # F f.");
    if (const QString zeichen = RegelVerletzt(e.Teilnehmer, Feldart::Bezeichnung); !zeichen.isEmpty())
        return zeichen;
    if (!AnrufbeantworterGültig(e.Anrufbeantworter))
        return QStringLiteral("A/B ist nicht 0 bis 3.");
    if (!TürstationGültig(e.Türstation))
        return QStringLiteral("Die Türstation ist nicht 0 bis 9.");
    if (!AdresseGültig(e.Adresse))
        return QStringLiteral("Der Tastercode hat nicht die Form 00-00-00-00-00-00-00-00.");
    return e;
}

} // namespace

QString TelefonbuchAlsText(const Telefonbuch& telefonbuch)
{
    QString text = CrLf.repeated(4) + QStringLiteral("\tTelefonbuchübersicht WELKO Klingport") + CrLf + CrLf;
    text += QStringLiteral("\tIndex\tBezeichnung\t\tTelefonnummer Variante 1\tTelefonnummer Variante 2\tA/B\t"
                           "Türstation\tTastercode\t") +
            CrLf;
    for (int n = 1; n <= Telefonbucheinträge; ++n) {
        if (vorTrennlinie(n))
            text += u'\t' + QString(143, u'-') + CrLf;
        text += eintragszeile(n, telefonbuch[n - 1]) + CrLf;
    }
    return text;
}

QByteArray TelefonbuchDateiinhalt(const Telefonbuch& telefonbuch)
{
    return windows1252::kodieren(TelefonbuchAlsText(telefonbuch) + CrLf);
}

QString Telefonbuchfehler::text() const
{
    if (!spalte.isEmpty())
        return QStringLiteral("Zeile %1, Spalte \"%2\": %3").arg(zeile).arg(spalte, grund);
    return QStringLiteral("Zeile %1: %2").arg(zeile).arg(grund);
}

QString Telefonbuchfehler::meldung(const QString& datei) const
{
    return QStringLiteral("Die Datei \"%1\" ist kein Klingport-Telefonbuch und wurde nicht geladen.\r\n")
               .arg(QFileInfo(datei).fileName()) +
           text();
}

std::variant<Telefonbuch, Telefonbuchfehler> TelefonbuchAusDatei(QByteArrayView datei)
{
    const QStringList zeilen = zeilenDerDatei(datei);
    Telefonbuch telefonbuch;
    for (int n = 1; n <= Telefonbucheinträge; ++n) {
        const int zeile = zeileVon(n);
        if (zeile > zeilen.size())
            return Telefonbuchfehler{zeile, QStringLiteral("Die Zeile fehlt.")};
        // A missing rule would shift every entry that follows.
        if (vorTrennlinie(n) && !zeilen[zeile - 2].startsWith(QLatin1String("\t-")))
            return Telefonbuchfehler{zeile - 1, QStringLiteral("Die Trennlinie fehlt.")};
        auto eintrag = eintragAus(zeilen[zeile - 1]);
        if (const QString* grund = std::get_if<QString>(&eintrag))
            return Telefonbuchfehler{zeile, *grund};
        telefonbuch[n - 1] = std::get<Telefonbucheintrag>(eintrag);
    }
    return telefonbuch;
}
