#include "Eingabe.h"

#include "Windows1252.h"

#include <QRegularExpression>

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
    feld.zuGroß = !feld.keineZahl && (text.size() > 3 || text.toInt() > 120);
    if (feld.keineZahl || feld.zuGroß || text.isEmpty())
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

QString RegelVerletzt(const QString& text, Feldart art)
{
    switch (art) {
    case Feldart::Zeit:
    case Feldart::PIN:
        if (EingabePruefen(text, 0) != text)
            return QStringLiteral("Bitte nur Zahlen eingeben!");
        if (art == Feldart::Zeit && text.toInt() > 120)
            return QStringLiteral("Maximaler Wert sind 120 Sekunden!");
        return {};
    case Feldart::Wahlnummer:
        if (!std::all_of(text.begin(), text.end(), imWählzeichensatz))
            return QStringLiteral("Bitte nur Zahlen eingeben!");
        return {};
    case Feldart::Bezeichnung:
        // 0xFF is the device's end of a name.
        if (const QString zeichen = windows1252::fehlendesZeichen(text);
            !zeichen.isEmpty() || text.contains(u'\xff'))
            return QStringLiteral("Das Zeichen \"%1\" kann der Klingport nicht speichern.")
                .arg(zeichen.isEmpty() ? QStringLiteral("ÿ") : zeichen);
        return {};
    }
    return {};
}

namespace {

// A name's inserted text without its TABs and line breaks: blanks within, nothing at the end; no
// other control character.
QString alsNamensteil(QString eingefügt)
{
    static const QRegularExpression amEnde(QStringLiteral("[\\t\\r\\n]+$"));
    static const QRegularExpression umbruch(QStringLiteral("[\\t\\r\\n]+"));
    static const QRegularExpression steuerzeichen(QStringLiteral("[\\x00-\\x1f\\x7f]"));
    return eingefügt.remove(amEnde).replace(umbruch, QStringLiteral(" ")).remove(steuerzeichen);
}

} // namespace

Bearbeitung BearbeitungPrüfen(const QString& vorher, const QString& nachher, Feldart art, int grenze)
{
    // The edit replaced the middle of `vorher` between what both texts begin and end with.
    const qsizetype kürzer = std::min(vorher.size(), nachher.size());
    qsizetype anfang = 0;
    while (anfang < kürzer && vorher[anfang] == nachher[anfang])
        ++anfang;
    qsizetype ende = 0;
    while (ende < kürzer - anfang && vorher[vorher.size() - 1 - ende] == nachher[nachher.size() - 1 - ende])
        ++ende;
    const qsizetype entfernt = vorher.size() - anfang - ende;
    QString eingefügt = nachher.mid(anfang, nachher.size() - anfang - ende);
    if (art == Feldart::Bezeichnung)
        eingefügt = alsNamensteil(eingefügt);
    const qsizetype platz = std::max<qsizetype>(0, grenze - (vorher.size() - entfernt));
    eingefügt.truncate(platz);
    Bearbeitung ergebnis{
        vorher.left(anfang) + eingefügt + vorher.mid(anfang + entfernt), anfang + eingefügt.size(), {}};
    // A text that already broke the rules (as the device held it) may be mended step by step.
    if (const QString verletzt = RegelVerletzt(ergebnis.text, art);
        !verletzt.isEmpty() && RegelVerletzt(vorher, art).isEmpty())
        ergebnis = {vorher, anfang, verletzt};
    return ergebnis;
}
