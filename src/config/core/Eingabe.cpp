#include "Eingabe.h"

namespace {

constexpr char16_t Rücktaste = 8;
constexpr char16_t Eingabetaste = 13;

bool imWählzeichensatz(QChar zeichen)
{
    return (zeichen >= u'0' && zeichen <= u'9') || QStringView(u",pP*#Ff").contains(zeichen);
}

} // namespace

QString EingabePruefen(const QString& text, int modus)
{
    for (const QChar zeichen : text) {
        const bool gut = modus == 0   ? zeichen >= u'0' && zeichen <= u'9'
                         : modus == 1 ? imWählzeichensatz(zeichen) || zeichen == Rücktaste
                                      : true;
        if (!gut)
            return QStringLiteral("Bitte nur Ziffern eingeben");
    }
    return text;
}

bool TasteErlaubt(QChar zeichen, int modus)
{
    if (zeichen == Rücktaste || zeichen == Eingabetaste)
        return true;
    return EingabePruefen(QString(zeichen), modus) == QString(zeichen);
}

Zeitfeld ZeitfeldVerlassen(const QString& text, const QString& ersatz)
{
    Zeitfeld feld{text, EingabePruefen(text, 0) != text};
    if (feld.keineZahl || text.isEmpty())
        feld.text = ersatz;
    else if (text.size() < 3)
        feld.text = QString(3 - text.size(), u'0') + text;
    return feld;
}

bool ÜberZweiMinuten(const QString& text, QChar ziffer)
{
    if (text.isEmpty() || text.size() > 2 || EingabePruefen(text, 0) != text)
        return false;
    return text.toInt() * 10 + (ziffer.unicode() - u'0') > 120;
}
