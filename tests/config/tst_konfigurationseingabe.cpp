// Typing into, entering and leaving the configuration tab's text boxes, keys sent as a user types them.

#include "Hauptfenster.h"
#include "KonfigurationTab.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

const QString NurZahlen = "Bitte nur Zahlen eingeben!";
const QString BeimVerlassen = "Bitte nur Zahlen eingeben";
const QString ZweiMinuten = "Maximaler Wert sind 120 Sekunden!";

// The main window, active, with its configuration tab in front.
struct Eingabe : Hauptfenster {
    KonfigurationTab& k = *fenster.konfiguration;

    Eingabe()
    {
        QApplication::setActiveWindow(&fenster);
        if (!QTest::qWaitForWindowActive(&fenster))
            qWarning("the main window did not become active");
    }
};

} // namespace

class tst_Konfigurationseingabe : public QObject {
    Q_OBJECT
private slots:
    // A user's way through a box: entered by Tab, which selects all, keys typed, left by Tab. A digit
    // counts as appended to the whole text, selected or not; the forwarding needs a number.
    void eingeben_data()
    {
        QTest::addColumn<QString>("feld");
        QTest::addColumn<QString>("vorher");
        QTest::addColumn<QString>("tasten");
        QTest::addColumn<QString>("getippt");
        QTest::addColumn<QString>("verlassen");
        QTest::addColumn<QStringList>("meldungen");
        const auto zeile = [](const char* tag, QString feld, QString vorher, QString tasten, QString getippt,
                              QString verlassen, QStringList meldungen) {
            QTest::newRow(tag) << feld << vorher << tasten << getippt << verlassen << meldungen;
        };
        const QString lokal = "txt_LokaleRufzeit", zeit = "txt_ExterneRufzeit", tür = "txt_Türgesprächszeit";
        const QString pin = "txt_PIN", nummer = "txt_Masterumleitungsnummer";
        zeile("121", zeit, "", "121", "", "030", {ZweiMinuten});
        zeile("120", zeit, "", "120", "120", "120", {});
        zeile("0 nach 13", tür, "13", "0", "", "060", {ZweiMinuten});
        zeile("vierte Ziffer", lokal, "", "0600", "060", "060", {});
        zeile("Wählzeichen in Zeit", zeit, "", "1p2", "12", "012", {NurZahlen});
        // A short PIN takes the focus back.
        zeile("Buchstabe leert PIN", pin, "", "51a", "", "",
              {NurZahlen, "Geben Sie eine 4-stellige Pin ein"});
        zeile("fünfte Ziffer der PIN", pin, "", "12345", "1234", "1234", {});
        zeile("Wählzeichen", nummer, "", "0,pP*#Ff9q\b", "0,pP*#Ff", "0,pP*#Ff", {NurZahlen});
        zeile("ersetzt und geleert", nummer, "030123", "9\b", "", "", {});
        // Texts not typed: set as a paste does.
        zeile("7", lokal, "7", "", "7", "007", {});
        zeile("4p", zeit, "4p", "", "4p", "030", {BeimVerlassen});
        zeile("über 120", zeit, "999", "", "999", "999", {});
        zeile("Nummer mit Buchstabe", nummer, "0301a", "", "0301a", "", {BeimVerlassen});
        zeile("PIN mit Buchstabe", pin, "12a4", "", "12a4", "5183", {BeimVerlassen}); // the factory one
    }
    void eingeben()
    {
        QFETCH(QString, feld);
        QFETCH(QString, vorher);
        QFETCH(QString, tasten);
        Eingabe e;
        e.k.obu_Amtsanschluß->click(); // the local ring time takes input only on an exchange line
        QLineEdit* box = e.control<QLineEdit>(feld);
        box->setText(vorher);
        if (!vorher.isEmpty() && box == e.k.txt_Masterumleitungsnummer)
            e.k.obu_sofort->click();
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, tasten);
        QTEST(box->text(), "getippt");
        e.k.obu_Variante1->setFocus(Qt::TabFocusReason);
        QTEST(box->text(), "verlassen");
        QTEST(e.meldungen.texts(), "meldungen");
        for (const ShownMessage& m : e.meldungen.shown)
            QCOMPARE(m.icon, platform::Icon::Exclamation);
        QCOMPARE(QApplication::focusWidget() == box, box == e.k.txt_PIN && box->text().size() != 4);
        const bool nummer = !e.k.txt_Masterumleitungsnummer->text().isEmpty();
        QVERIFY(e.k.obu_sofort->isEnabled() == nummer && (nummer || e.k.obu_aus->isChecked()));
    }
};

QTEST_MAIN(tst_Konfigurationseingabe)
#include "tst_konfigurationseingabe.moc"
