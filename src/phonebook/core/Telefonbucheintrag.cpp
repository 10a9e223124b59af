#include "Telefonbucheintrag.h"

QString TastercodeFür(const QString& adresse)
{
    for (const QChar zeichen : adresse) {
        const char16_t z = zeichen.unicode();
        if ((z >= u'1' && z <= u'9') || (z >= u'A' && z <= u'F'))
            return QStringLiteral("gefangen");
    }
    return QStringLiteral("frei");
}

bool AnrufbeantworterImTelefonbuch(const Telefonbuch& telefonbuch)
{
    qint64 summe = 0;
    for (const Telefonbucheintrag& eintrag : telefonbuch)
        summe += eintrag.Anrufbeantworter.toInt(); // 0 when the cell is no number
    return summe != 0;
}
