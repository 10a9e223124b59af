#include "Telegramm.h"

#include "Windows1252.h"

namespace {

// Characters `von` to `bis` (counted from 1), as far as the report reaches.
QString stellen(QByteArrayView bericht, qsizetype von, qsizetype bis)
{
    if (von > bericht.size())
        return {};
    return windows1252::dekodieren(bericht.sliced(von - 1, std::min(bis, bericht.size()) - von + 1));
}

// The sentence for a known code; null for any other, which the log shows as it came.
QString gesendet(QByteArrayView bericht)
{
    const QString code = stellen(bericht, 4, 5);
    const QString adresse = stellen(bericht, 7, 14);
    const bool ein7 = stellen(bericht, 7, 8) == u"FF";
    if (code == u"12")
        return QStringLiteral("Internruf an ") + adresse;
    if (code == u"21")
        return QStringLiteral("Türgesprächsbeginn mit ") + adresse;
    if (code == u"22")
        return QStringLiteral("Interngesprächsbeginn mit ") + adresse;
    if (code == u"20")
        return QStringLiteral("Gesprächsende mit ") + adresse;
    if (code == u"31")
        return QStringLiteral("Tür öffnen an ") + adresse;
    if (code == u"42")
        return (stellen(bericht, 16, 17) == u"FF" ? QStringLiteral("Schaltfunktion EIN an ")
                                                  : QStringLiteral("Schaltfunktion AUS an ")) +
               adresse;
    if (code == u"81")
        return QStringLiteral("Prüfgerätemodus EIN");
    if (code == u"82")
        return QStringLiteral("Prüfgerätemodus AUS");
    if (code == u"A0")
        return ein7 ? QStringLiteral("Audioeingang TLN EIN") : QStringLiteral("Audioeingang TLN AUS");
    if (code == u"A1")
        return ein7 ? QStringLiteral("Sendestufe an Bus EIN") : QStringLiteral("Sendestufe an Bus AUS");
    if (code == u"A2")
        return QStringLiteral("Reset des Systems");
    if (code == u"A3")
        return QStringLiteral("Eingehender Ruf ist im Tel.Buch bekannt ");
    return {};
}

QString empfangen(QByteArrayView bericht)
{
    const QString code = stellen(bericht, 4, 5);
    const QString adresse = stellen(bericht, 7, 14);
    const QString mitSubadresse = adresse + QStringLiteral(" Subadresse ") + stellen(bericht, 16, 17);
    if (code == u"20")
        return QStringLiteral("Gesprächsende von ") + mitSubadresse;
    if (code == u"11")
        return QStringLiteral("Türruf von ") + mitSubadresse;
    if (code == u"12")
        return QStringLiteral("Internruf von ") + mitSubadresse;
    if (code == u"21")
        return QStringLiteral("Türrufannahme von ") + adresse;
    if (code == u"22")
        return QStringLiteral("Internrufannahme von ") + adresse;
    if (code == u"01")
        return QStringLiteral("Systemprogrammierung EIN ") + adresse;
    if (code == u"00")
        return QStringLiteral("Systemprogrammierung AUS ") + adresse;
    if (code == u"03")
        return QStringLiteral("Aktorprogrammierung EIN ") + adresse;
    if (code == u"02")
        return QStringLiteral("Aktorprogrammierung AUS ") + adresse;
    return {};
}

// The dialled number: from three characters after the first " - " to the end of the line.
QString rufnummer(QByteArrayView bericht)
{
    const qsizetype trenner = bericht.indexOf(QByteArrayView(" - "));
    if (trenner < 0)
        return {};
    const qsizetype anfang = trenner + 3;
    const qsizetype ende = bericht.size();
    return ende > anfang ? windows1252::dekodieren(bericht.sliced(anfang, ende - anfang)) : QString();
}

QString anruf(QByteArrayView bericht)
{
    QString text;
    const QString index = stellen(bericht, 10, 11);
    if (index == u"00") {
        text += QStringLiteral("mit der Masterrufumleitung ");
    } else {
        bool hexadezimal = false;
        const int nummer = index.toInt(&hexadezimal, 16);
        // An index that is no hexadecimal number is shown as it came.
        text += hexadezimal ? QStringLiteral("aus Telefonbuch mit Index %1 ").arg(nummer)
                            : QStringLiteral("aus Telefonbuch mit ungültigem Index \"%1\" ").arg(index);
        const QString variante = stellen(bericht, 13, 14);
        if (variante == u"00")
            text += QStringLiteral("und aktivierter Variante 1 ");
        else if (variante == u"01")
            text += QStringLiteral("und aktivierter Variante 2 ");
    }
    const QString teilnehmer = stellen(bericht, 4, 8);
    if (teilnehmer == u"LOCAL")
        text += QStringLiteral("den lokalen Teilnehmer");
    else if (teilnehmer == u"DIAL ")
        text += QStringLiteral("einen externen Teilnehmer mit der Rufnummer: ''") + rufnummer(bericht) +
                QStringLiteral("''");
    const QString anrufbeantworter = stellen(bericht, 16, 17);
    if (anrufbeantworter == u"00")
        text += QStringLiteral(" mit inaktiver Anrufbeantworterfunktion");
    else if (anrufbeantworter == u"01")
        text += QStringLiteral(" mit aktiver Anrufbeantworterfunktion");
    return text;
}

// The report's line without its CR LF; a CR or LF inside it turns into a blank, so that the text
// stays one log line and the positions stay where they were.
QByteArray zeileOhneEnde(QByteArrayView bericht)
{
    QByteArray zeile = bericht.toByteArray();
    if (zeile.endsWith("\r\n"))
        zeile.chop(2);
    for (char& zeichen : zeile) {
        if (zeichen == '\r' || zeichen == '\n')
            zeichen = ' ';
    }
    return zeile;
}

} // namespace

QString BerichtDekodieren(QByteArrayView roh)
{
    // Fields end with the line; a report of an unknown code stands in the log as it came, its own
    // CR LF included, without the sentence's beginning.
    const QByteArray bericht = zeileOhneEnde(roh);
    const auto satz = [&](const QString& anfang, const QString& text) {
        if (!text.isNull())
            return anfang + text;
        return windows1252::dekodieren(bericht) + (roh.endsWith("\r\n") ? QStringLiteral("\r\n") : QString());
    };
    switch (bericht.isEmpty() ? '\0' : bericht[0]) {
    case 'S':
        return satz(QStringLiteral("Klingport sendet: "), gesendet(bericht));
    case 'E':
        return satz(QStringLiteral("Klingport empfängt: "), empfangen(bericht));
    case 'T':
        return QStringLiteral("Klingport ruft: ") + anruf(bericht);
    default:
        return {};
    }
}
