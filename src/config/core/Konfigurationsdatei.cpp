#include "Konfigurationsdatei.h"

#include "Eingabe.h"
#include "Windows1252.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <array>

namespace {

const QString Tab = QStringLiteral("\t");
const QString CrLf = QStringLiteral("\r\n");

QString marke(bool gewählt)
{
    return gewählt ? QStringLiteral("X") : QString();
}

// One line per entry, each ended by CR LF.
QString zeilen(const QStringList& liste)
{
    QString text;
    for (const QString& zeile : liste)
        text += zeile + CrLf;
    return text;
}

QString tabs(int anzahl)
{
    return QString(anzahl, u'\t');
}

// Where a label stands, and what follows it. A label counts only where it begins a line, behind the
// line's TABs and followed by its own TAB: so "Aus:" never matches "Aus: ", and a value that holds a
// label's text is no label.
class Beschriftungen {
public:
    explicit Beschriftungen(const QString& text)
        : zeilen(text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))))
    {
    }

    bool vorhanden(const QString& beschriftung) const { return dahinter(beschriftung).has_value(); }

    // True when the character after the label's two TABs is "X".
    bool markiert(const QString& beschriftung) const
    {
        const std::optional<QString> rest = dahinter(beschriftung);
        return rest && QStringView(*rest).mid(2, 1) == u"X";
    }

    // The line from `abstand` characters behind the label on; empty past its end.
    std::optional<QString> wert(const QString& beschriftung, qsizetype abstand) const
    {
        const std::optional<QString> rest = dahinter(beschriftung);
        return rest ? std::optional<QString>(rest->mid(abstand)) : std::nullopt;
    }

    // The number, from 1, of the first line that begins with the label; 0 when none does.
    int zeile(const QString& beschriftung) const
    {
        for (int i = 0; i < zeilen.size(); ++i)
            if (beginntMit(zeilen[i], beschriftung))
                return i + 1;
        return 0;
    }

private:
    static bool beginntMit(const QString& zeile, const QString& beschriftung)
    {
        qsizetype anfang = 0;
        while (anfang < zeile.size() && zeile[anfang] == u'\t')
            ++anfang;
        return QStringView(zeile).mid(anfang).startsWith(beschriftung + Tab);
    }

    // The rest of the first line that begins with the label.
    std::optional<QString> dahinter(const QString& beschriftung) const
    {
        const int nummer = zeile(beschriftung);
        if (nummer == 0)
            return std::nullopt;
        const QString& text = zeilen[nummer - 1];
        return text.mid(text.indexOf(beschriftung) + beschriftung.size());
    }

    QStringList zeilen;
};

namespace beschriftung {
const QString Amtsanschluss = QStringLiteral("Amtsanschluss:");
const QString Variante1 = QStringLiteral("Variante 1:");
const QString MithörenAus = QStringLiteral("Aus:");
const QString UmleitungAus = QStringLiteral("Aus: ");
const QString Verzögert = QStringLiteral("Verzögert:");
const QString Sofort = QStringLiteral("Sofort:");
const QString PIN = QStringLiteral("PIN:");
const QString Türgesprächszeit = QStringLiteral("Türgesprächszeit (in Sek.):");
const QString LokaleRufzeit = QStringLiteral("Lokale Rufzeit (in Sek.):");
const QString ExterneRufzeit = QStringLiteral("Externe Rufzeit (in Sek.):");
const QString Rufnummer = QStringLiteral("Rufnummer:");
} // namespace beschriftung

} // namespace

QString KonfigurationAlsText(const Konfiguration& k)
{
    using namespace beschriftung;
    const auto option = [](const QString& name, bool gewählt) {
        return "\t\t" + name + "\t\t" + marke(gewählt);
    };
    const auto wert = [](const QString& name, const QString& text) { return "\t" + name + "\t\t\t" + text; };
    return zeilen({
        {},
        {},
        QStringLiteral("\tWelko Klingportkonfiguration"),
        {},
        QStringLiteral("\tParameter\t\t\tWert"),
        {},
        QStringLiteral("\tAnschlussart"),
        option(Amtsanschluss, k.anschlussart == Anschlussart::Amtsanschluss),
        option(QStringLiteral("Nebenstellenanschluss:"),
               k.anschlussart == Anschlussart::Nebenstellenanschluss),
        {},
        wert(PIN, k.PIN),
        {},
        wert(Türgesprächszeit, k.Türgesprächszeit),
        {},
        wert(LokaleRufzeit, k.LokaleRufzeit),
        {},
        wert(ExterneRufzeit, k.ExterneRufzeit),
        {},
        QStringLiteral("\tVariantenumschaltung"),
        option(Variante1, k.variante == Variante::Tag),
        option(QStringLiteral("Variante 2:"), k.variante == Variante::Nacht),
        {},
        QStringLiteral("\tMithören"),
        option(QStringLiteral("An:"), k.Mithören),
        option(MithörenAus, !k.Mithören),
        {},
        QStringLiteral("\tMasterumleitungsnummer"),
        "\t\t" + Rufnummer + "\t\t" + k.Masterumleitungsnummer,
        option(UmleitungAus, k.masterumleitung == Masterumleitung::aus),
        option(Verzögert, k.masterumleitung == Masterumleitung::verzögert),
        option(Sofort, k.masterumleitung == Masterumleitung::sofort),
    });
}

QString KonfigurationDruckText(const Konfiguration& k)
{
    // Label, TABs, value: the TAB counts differ from line to line.
    const auto feld = [](int einzug, const QString& name, int abstand, const QString& wert) {
        return tabs(einzug) + name + tabs(abstand) + wert;
    };
    return zeilen({
        {},
        {},
        {},
        {},
        QStringLiteral("\t\tWelko Klingportkonfiguration"),
        {},
        QStringLiteral("\t\tParameter\t\t\tWert"),
        {},
        QStringLiteral("\t\tAnschlussart"),
        feld(3, QStringLiteral("Amtsanschluss:"), 2, marke(k.anschlussart == Anschlussart::Amtsanschluss)),
        feld(3, QStringLiteral("Nebenstellenanschluss:"), 1,
             marke(k.anschlussart == Anschlussart::Nebenstellenanschluss)),
        {},
        feld(2, QStringLiteral("PIN:"), 4, k.PIN),
        {},
        feld(2, QStringLiteral("Türgesprächszeit (in Sek.):"), 1, k.Türgesprächszeit),
        {},
        feld(2, QStringLiteral("Lokale Rufzeit (in Sek.):"), 1, k.LokaleRufzeit),
        {},
        feld(2, QStringLiteral("Externe Rufzeit (in Sek.):"), 1, k.ExterneRufzeit),
        {},
        QStringLiteral("\t\tVariantenumschaltung"),
        feld(3, QStringLiteral("Variante 1:"), 2, marke(k.variante == Variante::Tag)),
        feld(3, QStringLiteral("Variante 2:"), 2, marke(k.variante == Variante::Nacht)),
        {},
        QStringLiteral("\t\tMithören"),
        feld(3, QStringLiteral("An:"), 3, marke(k.Mithören)),
        feld(3, QStringLiteral("Aus:"), 3, marke(!k.Mithören)),
        {},
        QStringLiteral("\t\tMasterumleitungsnummer"),
        feld(3, QStringLiteral("Rufnummer:"), 2, k.Masterumleitungsnummer),
        feld(3, QStringLiteral("Aus: "), 3, marke(k.masterumleitung == Masterumleitung::aus)),
        feld(3, QStringLiteral("Verzögert:"), 3, marke(k.masterumleitung == Masterumleitung::verzögert)),
        feld(3, QStringLiteral("Sofort:"), 3, marke(k.masterumleitung == Masterumleitung::sofort)),
    });
}

QByteArray KonfigurationDateiinhalt(const Konfiguration& konfiguration)
{
    return windows1252::kodieren(KonfigurationAlsText(konfiguration) + CrLf);
}

namespace {

// The boxes' rules for a value however it came: as the file holds it and as the window shows it.
QString wertVerletzt(const QString& beschriftung, const QString& wert)
{
    using namespace beschriftung;
    const auto grund = [&](const char* warum) {
        return QStringLiteral("%1 \"%2\" %3").arg(beschriftung, wert, QString::fromUtf8(warum));
    };
    if (beschriftung == PIN)
        return RegelVerletzt(wert, Feldart::PIN).isEmpty() && wert.size() == 4
                   ? QString()
                   : grund("sind nicht 4 Ziffern.");
    if (beschriftung == Rufnummer)
        return RegelVerletzt(wert, Feldart::Wahlnummer).isEmpty() && wert.size() <= 25
                   ? QString()
                   : grund("hat mehr als 25 Zeichen oder andere als 0-9 , p P * # F f.");
    return RegelVerletzt(wert, Feldart::Zeit).isEmpty() && !wert.isEmpty() && wert.size() <= 3
               ? QString()
               : grund("ist keine Zahl von 0 bis 120.");
}

// The label and field of each value of the file and the window.
struct Wertfeld {
    const QString& beschriftung;
    QString Konfiguration::*feld;
    qsizetype abstand; // TABs between label and value
};

std::array<Wertfeld, 5> wertfelder()
{
    using namespace beschriftung;
    return {{{PIN, &Konfiguration::PIN, 3},
             {Türgesprächszeit, &Konfiguration::Türgesprächszeit, 3},
             {LokaleRufzeit, &Konfiguration::LokaleRufzeit, 3},
             {ExterneRufzeit, &Konfiguration::ExterneRufzeit, 3},
             {Rufnummer, &Konfiguration::Masterumleitungsnummer, 2}}};
}

} // namespace

std::variant<Konfiguration, Konfigurationsfehler> KonfigurationAusDatei(QByteArrayView datei,
                                                                        const Konfiguration& angezeigt)
{
    using namespace beschriftung;
    const Beschriftungen b(windows1252::dekodieren(datei));
    const QString alle[] = {Amtsanschluss, Variante1,        MithörenAus,   UmleitungAus,   Verzögert, Sofort,
                            PIN,           Türgesprächszeit, LokaleRufzeit, ExterneRufzeit, Rufnummer};
    if (std::none_of(std::begin(alle), std::end(alle), [&](const QString& n) { return b.vorhanden(n); }))
        return Konfigurationsfehler{};

    Konfiguration k = angezeigt;
    if (b.vorhanden(Amtsanschluss))
        k.anschlussart =
            b.markiert(Amtsanschluss) ? Anschlussart::Amtsanschluss : Anschlussart::Nebenstellenanschluss;
    if (b.vorhanden(Variante1))
        k.variante = b.markiert(Variante1) ? Variante::Tag : Variante::Nacht;
    if (b.vorhanden(MithörenAus))
        k.Mithören = !b.markiert(MithörenAus);
    // The three marks decide together; an unmarked or missing one counts as not selected.
    if (b.vorhanden(UmleitungAus) || b.vorhanden(Verzögert) || b.vorhanden(Sofort)) {
        k.masterumleitung = b.markiert(Verzögert)      ? Masterumleitung::verzögert
                            : b.markiert(Sofort)       ? Masterumleitung::sofort
                            : b.markiert(UmleitungAus) ? Masterumleitung::aus
                                                       : Masterumleitung::verzögert;
    }
    for (const Wertfeld& f : wertfelder()) {
        const std::optional<QString> wert = b.wert(f.beschriftung, f.abstand);
        if (!wert)
            continue;
        if (const QString grund = wertVerletzt(f.beschriftung, *wert); !grund.isEmpty())
            return Konfigurationsfehler{b.zeile(f.beschriftung), grund};
        k.*f.feld = *wert;
    }
    return k;
}

QString KonfigurationPrüfen(const Konfiguration& konfiguration)
{
    for (const Wertfeld& f : wertfelder())
        if (const QString grund = wertVerletzt(f.beschriftung, konfiguration.*f.feld); !grund.isEmpty())
            return grund;
    return {};
}

QString UngültigeKonfigurationMeldung(const Konfiguration& konfiguration, const QString& was)
{
    const QString grund = KonfigurationPrüfen(konfiguration);
    if (grund.isEmpty())
        return grund;
    return QStringLiteral("Die Konfiguration wurde nicht %1, weil ein Wert nicht gültig ist.\r\n%2")
        .arg(was, grund);
}

QString Konfigurationsfehler::meldung(const QString& datei) const
{
    const QString name = QFileInfo(datei).fileName();
    if (zeile == 0)
        return QStringLiteral(
                   "Die Datei \"%1\" enthält keine Klingport-Konfiguration und wurde nicht geladen.")
            .arg(name);
    return QStringLiteral(
               "Die Datei \"%1\" wurde nicht geladen, weil ein Wert nicht gültig ist.\r\nZeile %2: %3")
        .arg(name)
        .arg(zeile)
        .arg(grund);
}
