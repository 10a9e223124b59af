#include "KonfigurationEingabe.h"

#include "Eingabe.h"
#include "KonfigurationTab.h"
#include "MessageBoxes.h"
#include "Texteingabe.h"

#include <algorithm>

using texteingabe::Eingabetaste;
using texteingabe::Rücktaste;

KonfigurationEingabe::KonfigurationEingabe(KonfigurationTab& tab, platform::MessageBoxes& meldungen,
                                           QObject* parent)
    : QObject(parent),
      meldungen(meldungen), felder{{tab.txt_PIN, Art::PIN, 4, {}},
                                   {tab.txt_LokaleRufzeit, Art::Zeit, 3, QStringLiteral("030")},
                                   {tab.txt_ExterneRufzeit, Art::Zeit, 3, QStringLiteral("030")},
                                   {tab.txt_Türgesprächszeit, Art::Zeit, 3, QStringLiteral("060")},
                                   {tab.txt_Masterumleitungsnummer, Art::Nummer, 25, {}}},
      regeln(meldungen, this)
{
    for (const Feld& feld : felder) {
        feld.box->installEventFilter(this);
        regeln.überwachen(feld.box,
                          feld.art == Art::Zeit  ? Feldart::Zeit
                          : feld.art == Art::PIN ? Feldart::PIN
                                                 : Feldart::Wahlnummer,
                          feld.grenze);
    }
}

bool KonfigurationEingabe::eventFilter(QObject* objekt, QEvent* ereignis)
{
    const auto feld =
        std::find_if(felder.cbegin(), felder.cend(), [&](const Feld& f) { return f.box == objekt; });
    if (feld == felder.cend())
        return QObject::eventFilter(objekt, ereignis);
    switch (ereignis->type()) {
    case QEvent::KeyPress:
        if (const std::optional<QChar> taste = texteingabe::getippt(*static_cast<QKeyEvent*>(ereignis)))
            return tasteGedrückt(*feld, *taste);
        break;
    case QEvent::FocusIn:
        texteingabe::ganzMarkieren(*feld->box);
        break;
    case QEvent::FocusOut:
        if (texteingabe::verlassen(*static_cast<QFocusEvent*>(ereignis)))
            verlassen(*feld);
        break;
    default:
        break;
    }
    return QObject::eventFilter(objekt, ereignis);
}

// True when the key is dropped.
bool KonfigurationEingabe::tasteGedrückt(const Feld& feld, QChar taste)
{
    const int modus = feld.art == Art::Nummer ? 1 : 0;
    if (!TasteErlaubt(taste, modus)) {
        melden("Bitte nur Zahlen eingeben!");
        if (feld.art == Art::PIN)
            feld.box->clear();
        return true;
    }
    if (taste == Rücktaste || taste == Eingabetaste)
        return false;
    if (feld.art == Art::Zeit && ÜberZweiMinuten(feld.box->text(), taste)) {
        melden("Maximaler Wert sind 120 Sekunden!");
        feld.box->clear();
        return true;
    }
    return texteingabe::tippgrenzeErreicht(*feld.box, feld.grenze);
}

void KonfigurationEingabe::verlassen(const Feld& feld)
{
    QLineEdit& box = *feld.box;
    switch (feld.art) {
    case Art::Zeit: {
        const Zeitfeld zeit = ZeitfeldVerlassen(box.text(), feld.ersatz);
        if (zeit.keineZahl)
            melden("Bitte nur Zahlen eingeben");
        else if (zeit.zuGroß)
            melden("Maximaler Wert sind 120 Sekunden!");
        box.setText(zeit.text);
        break;
    }
    case Art::PIN:
        if (EingabePruefen(box.text(), 0) != box.text()) {
            melden("Bitte nur Zahlen eingeben");
            box.setText(QStringLiteral("5183"));
        }
        if (box.text().size() != 4) {
            melden("Geben Sie eine 4-stellige Pin ein");
            box.setFocus(Qt::OtherFocusReason);
        }
        break;
    case Art::Nummer:
        if (EingabePruefen(box.text(), 1) != box.text()) {
            melden("Bitte nur Zahlen eingeben");
            box.clear();
        }
        break;
    }
}

void KonfigurationEingabe::melden(const char* text)
{
    meldungen.show(QString::fromUtf8(text), platform::Icon::Exclamation);
}
