#include "Telefonbucheintrag.h"

#include "Windows1252.h"

#include <QRegularExpression>
#include <QStringList>

QString TastercodeFür(const QString& adresse)
{
    for (const QChar zeichen : adresse) {
        const char16_t z = zeichen.unicode();
        if ((z >= u'1' && z <= u'9') || (z >= u'A' && z <= u'F'))
            return QStringLiteral("gefangen");
    }
    return QStringLiteral("frei");
}

bool AnrufbeantworterGültig(const QString& zelle)
{
    static const QRegularExpression muster(QStringLiteral("^[0-3]$"));
    return muster.match(zelle).hasMatch();
}

bool TürstationGültig(const QString& zelle)
{
    static const QRegularExpression muster(QStringLiteral("^[0-9]$"));
    return muster.match(zelle).hasMatch();
}

bool AdresseGültig(const QString& zelle)
{
    static const QRegularExpression muster(QStringLiteral("^[0-9A-F]{2}(-[0-9A-F]{2}){7}$"));
    return muster.match(zelle).hasMatch();
}

bool AnrufbeantworterImTelefonbuch(const Telefonbuch& telefonbuch)
{
    qint64 summe = 0;
    for (const Telefonbucheintrag& eintrag : telefonbuch)
        summe += eintrag.Anrufbeantworter.toInt(); // 0 when the cell is no number
    return summe != 0;
}

std::optional<QString> RuftastenAdresse(QByteArrayView antwort)
{
    // Five pairs of hexadecimal digits as the device writes them, each with a separator that is no
    // digit, then CR LF: anything else would become a wrong address.
    static const QRegularExpression form(QStringLiteral("^([0-9A-F]{2}[^0-9A-Fa-f\\r\\n]){5}\\r\\n$"));
    if (!form.match(windows1252::dekodieren(antwort)).hasMatch())
        return std::nullopt;
    QStringList gruppen;
    for (int i = 0; i < 5; ++i)
        gruppen.append(windows1252::dekodieren(antwort.sliced(3 * i, 2)));
    return gruppen.join(QLatin1Char('-')) + QStringLiteral("-00-00-00");
}
