#include "Telefonbuchtabelle.h"

#include "Eingabe.h"
#include "TelefonbuchModell.h"
#include "Windows1252.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

namespace {

using Spalte = TelefonbuchModell::Spalte;

const QString CrLf = QStringLiteral("\r\n");
const QByteArray Bytefolgemarke = QByteArrayLiteral("\xEF\xBB\xBF");

QString alsFeld(const QString& zelle)
{
    static const QRegularExpression zuZitieren(QStringLiteral("[;\"\\r\\n]"));
    if (!zelle.contains(zuZitieren))
        return zelle;
    return u'"' + QString(zelle).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// The file's text: UTF-8 where its bytes are that, else Windows-1252 as older spreadsheets write it.
QString textAus(QByteArrayView datei)
{
    if (datei.startsWith(Bytefolgemarke))
        datei = datei.sliced(Bytefolgemarke.size());
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(datei);
    return utf8.hasError() ? windows1252::dekodieren(datei) : text;
}

struct Datensatz {
    int zeile; // as a spreadsheet counts its rows, from 1
    QStringList felder;
};

struct Zerlegt {
    QList<Datensatz> sätze; // without the blank ones
    int offenAb = 0;        // the line where a quote opens that is never closed
};

bool leer(const Datensatz& satz)
{
    return std::all_of(satz.felder.begin(), satz.felder.end(),
                       [](const QString& feld) { return feld.trimmed().isEmpty(); });
}

// The text's lines split into fields at `trenner`. A field that begins with a quote runs to the next
// single quote and may hold separators, line breaks and doubled quotes; what follows it up to the
// separator is taken as it stands. Lines end with CR LF, LF or CR.
Zerlegt zerlegen(QStringView text, QChar trenner)
{
    Zerlegt z;
    Datensatz satz{1, {QString()}};
    const auto satzEnde = [&] {
        if (!leer(satz))
            z.sätze.append(satz);
        satz = {satz.zeile + 1, {QString()}};
    };
    bool zitiert = false;
    qsizetype feldanfang = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar zeichen = text[i];
        QString& feld = satz.felder.last();
        if (zitiert) {
            if (zeichen != u'"')
                feld += zeichen;
            else if (i + 1 < text.size() && text[i + 1] == u'"')
                feld += text[++i];
            else
                zitiert = false;
        } else if (zeichen == u'"' && i == feldanfang) {
            zitiert = true;
            z.offenAb = satz.zeile;
        } else if (zeichen == trenner) {
            satz.felder.append(QString());
            feldanfang = i + 1;
        } else if (zeichen == u'\r' || zeichen == u'\n') {
            if (zeichen == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            satzEnde();
            feldanfang = i + 1;
        } else {
            feld += zeichen;
        }
    }
    satzEnde();
    if (!zitiert)
        z.offenAb = 0;
    return z;
}

// A value's text is never taken for a place holder: one arg() with all of them.
QString länger(const QString& zitiert, int grenze)
{
    return QStringLiteral("%1 ist länger als %2 Zeichen.").arg(zitiert, QString::number(grenze));
}

// Why `wert` can't stand in the column's field of an entry; empty when it can.
QString ungültig(int spalte, const QString& wert)
{
    static const QRegularExpression steuerzeichen(QStringLiteral("[\\x00-\\x1f\\x7f]"));
    const QString zitiert = u'"' + wert + u'"';
    switch (spalte) {
    case Spalte::Teilnehmer:
        if (wert.size() > LängsterTeilnehmer)
            return länger(zitiert, LängsterTeilnehmer);
        // The entry editor takes none, a TAB or line break would break the ".kpb" file.
        if (wert.contains(steuerzeichen))
            return QStringLiteral("Der Name enthält ein Steuerzeichen wie Tabulator oder Zeilenumbruch.");
        return RegelVerletzt(wert, Feldart::Bezeichnung);
    case Spalte::Nummer1:
    case Spalte::Nummer2:
        if (wert.size() > LängsteNummer)
            return länger(zitiert, LängsteNummer);
        if (!RegelVerletzt(wert, Feldart::Wahlnummer).isEmpty())
            return QStringLiteral("%1 ist keine Telefonnummer: erlaubt sind Ziffern und , p P * # F f.")
                .arg(zitiert);
        return {};
    case Spalte::Anrufbeantworter:
        return AnrufbeantworterGültig(wert)
                   ? QString()
                   : QStringLiteral("%1 ist kein Anrufbeantworter von 0 bis 3.").arg(zitiert);
    case Spalte::Türstation:
        return TürstationGültig(wert) ? QString()
                                      : QStringLiteral("%1 ist keine Türstation von 0 bis 9.").arg(zitiert);
    case Spalte::Adresse:
        return AdresseGültig(wert)
                   ? QString()
                   : QStringLiteral("%1 ist keine Adresse der Form 00-00-00-00-00-00-00-00.").arg(zitiert);
    }
    return {};
}

QString& feldVon(Telefonbucheintrag& e, int spalte)
{
    switch (spalte) {
    case Spalte::Teilnehmer:
        return e.Teilnehmer;
    case Spalte::Nummer1:
        return e.Nummer1;
    case Spalte::Nummer2:
        return e.Nummer2;
    case Spalte::Anrufbeantworter:
        return e.Anrufbeantworter;
    case Spalte::Türstation:
        return e.Türstation;
    default:
        return e.Adresse;
    }
}

// The columns a line's cells fill; the header's own place of each title, -1 where it has none.
using Spaltenplätze = std::array<qsizetype, TelefonbuchModell::Spaltenzahl>;

std::variant<Spaltenplätze, Telefonbuchfehler> spaltenplätze(const Datensatz& kopf)
{
    Spaltenplätze plätze;
    for (int spalte = 0; spalte < TelefonbuchModell::Spaltenzahl; ++spalte) {
        const QString titel = TelefonbuchModell::titel(spalte);
        plätze[spalte] = -1;
        for (qsizetype i = 0; i < kopf.felder.size(); ++i) {
            if (kopf.felder[i].trimmed().compare(titel, Qt::CaseInsensitive) != 0)
                continue;
            if (plätze[spalte] >= 0)
                return Telefonbuchfehler{
                    kopf.zeile,
                    QStringLiteral("Die Spalte \"%1\" steht zweimal in der Kopfzeile.").arg(titel)};
            plätze[spalte] = i;
        }
    }
    if (plätze[Spalte::Index] < 0)
        return Telefonbuchfehler{kopf.zeile, QStringLiteral("Die Spalte \"Index\" fehlt in der Kopfzeile.")};
    return plätze;
}

} // namespace

QByteArray TelefonbuchAlsTabelle(const Telefonbuch& telefonbuch)
{
    QStringList titel;
    for (int spalte = 0; spalte < TelefonbuchModell::Spaltenzahl; ++spalte)
        titel.append(TelefonbuchModell::titel(spalte));
    QString text = titel.join(u';') + CrLf;
    for (int n = 1; n <= Telefonbucheinträge; ++n) {
        text += QString::number(n);
        for (int spalte = 1; spalte < TelefonbuchModell::Spaltenzahl; ++spalte)
            text += u';' + alsFeld(TelefonbuchModell::zelle(telefonbuch[n - 1], spalte));
        text += CrLf;
    }
    return Bytefolgemarke + text.toUtf8();
}

std::variant<Telefonbuch, Telefonbuchfehler> TelefonbuchAusTabelle(QByteArrayView datei)
{
    const QString text = textAus(datei);
    Zerlegt tabelle;
    for (const QChar trenner : {u';', u',', u'\t'}) {
        Zerlegt mit = zerlegen(text, trenner);
        if (tabelle.sätze.isEmpty() ||
            (!mit.sätze.isEmpty() && mit.sätze[0].felder.size() > tabelle.sätze[0].felder.size()))
            tabelle = std::move(mit);
    }
    if (tabelle.offenAb > 0)
        return Telefonbuchfehler{tabelle.offenAb,
                                 QStringLiteral("Ein Anführungszeichen wird nicht geschlossen.")};
    if (tabelle.sätze.isEmpty())
        return Telefonbuchfehler{1, QStringLiteral("Die Spalte \"Index\" fehlt in der Kopfzeile.")};
    const auto plätze = spaltenplätze(tabelle.sätze[0]);
    if (const auto* fehler = std::get_if<Telefonbuchfehler>(&plätze))
        return *fehler;
    const Spaltenplätze& platz = std::get<Spaltenplätze>(plätze);

    Telefonbuch telefonbuch;
    QHash<int, int> zeileVon; // entry -> the line that filled it
    for (const Datensatz& satz : tabelle.sätze.mid(1)) {
        const auto fehler = [&](int spalte, const QString& grund) {
            return Telefonbuchfehler{satz.zeile, grund, TelefonbuchModell::titel(spalte)};
        };
        const QString index = satz.felder.value(platz[Spalte::Index]).trimmed();
        bool zahl = false;
        const int n = index.toInt(&zahl);
        if (index.isEmpty())
            return fehler(Spalte::Index, QStringLiteral("Der Index fehlt."));
        if (!zahl || n < 1 || n > Telefonbucheinträge)
            return fehler(Spalte::Index, QStringLiteral("\"%1\" ist kein Index von 1 bis %2.")
                                             .arg(index, QString::number(Telefonbucheinträge)));
        if (zeileVon.contains(n))
            return fehler(Spalte::Index,
                          QStringLiteral("Der Index %1 steht schon in Zeile %2.").arg(n).arg(zeileVon[n]));
        zeileVon.insert(n, satz.zeile);
        Telefonbucheintrag& e = telefonbuch[n - 1];
        for (const int spalte : {Spalte::Teilnehmer, Spalte::Nummer1, Spalte::Nummer2,
                                 Spalte::Anrufbeantworter, Spalte::Türstation, Spalte::Adresse}) {
            const QString wert = satz.felder.value(platz[spalte]); // none for a column not there
            if (wert.isEmpty())
                continue; // the empty entry's value
            if (const QString grund = ungültig(spalte, wert); !grund.isEmpty())
                return fehler(spalte, grund);
            feldVon(e, spalte) = wert;
        }
        e.Tastercode = TastercodeFür(e.Adresse);
    }
    return telefonbuch;
}
