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
    // Enters the box and leaves it again by Tab, as a user moves through the form.
    void betretenUndVerlassen(QLineEdit* feld)
    {
        feld->setFocus(Qt::TabFocusReason);
        k.obu_Variante1->setFocus(Qt::TabFocusReason);
    }
};

} // namespace

class tst_Konfigurationseingabe : public QObject {
    Q_OBJECT
private slots:
    // A digit counts as appended to the text, wherever the caret stands.
    void tippen_data()
    {
        QTest::addColumn<QString>("feld");
        QTest::addColumn<QString>("vorher");
        QTest::addColumn<QString>("tasten");
        QTest::addColumn<QString>("nachher");
        QTest::addColumn<QStringList>("meldungen");
        const auto zeile = [](const char* tag, QString feld, QString vorher, QString tasten, QString nachher,
                              QStringList meldungen) {
            QTest::newRow(tag) << feld << vorher << tasten << nachher << meldungen;
        };
        const QString zeit = "txt_ExterneRufzeit", pin = "txt_PIN";
        zeile("121", zeit, "", "121", "", {ZweiMinuten});
        zeile("120", zeit, "", "120", "120", {});
        zeile("5 vor 12", "txt_LokaleRufzeit", "12", "5", "", {ZweiMinuten});
        zeile("vierte Ziffer", "txt_Türgesprächszeit", "", "0600", "060", {});
        zeile("Wählzeichen in Zeit", zeit, "", "1p2", "12", {NurZahlen});
        zeile("Buchstabe leert PIN", pin, "", "51a", "", {NurZahlen});
        zeile("fünfte Ziffer der PIN", pin, "", "12345", "1234", {});
        zeile("Wählzeichen", "txt_Masterumleitungsnummer", "", "0,pP*#Ff9q\b", "0,pP*#Ff", {NurZahlen});
    }
    void tippen()
    {
        QFETCH(QString, feld);
        QFETCH(QString, vorher);
        QFETCH(QString, tasten);
        Eingabe e;
        QLineEdit* box = e.control<QLineEdit>(feld);
        box->setText(vorher);
        box->setCursorPosition(0);
        QTest::keyClicks(box, tasten);
        QTEST(box->text(), "nachher");
        QTEST(e.meldungen.texts(), "meldungen");
        for (const ShownMessage& m : e.meldungen.shown)
            QCOMPARE(m.icon, platform::Icon::Exclamation);
    }

    void verlassen_data()
    {
        QTest::addColumn<QString>("feld");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("nachher");
        QTest::addColumn<QStringList>("meldungen");
        const auto zeile = [](const char* tag, QString feld, QString text, QString nachher,
                              QStringList meldungen) {
            QTest::newRow(tag) << feld << text << nachher << meldungen;
        };
        zeile("7", "txt_LokaleRufzeit", "7", "007", {});
        zeile("45", "txt_ExterneRufzeit", "45", "045", {});
        zeile("leer", "txt_Türgesprächszeit", "", "060", {});
        zeile("4p eingefügt", "txt_ExterneRufzeit", "4p", "030", {BeimVerlassen});
        zeile("nicht getippt über 120", "txt_ExterneRufzeit", "999", "999", {});
        zeile("Nummer mit Buchstabe", "txt_Masterumleitungsnummer", "0301a", "", {BeimVerlassen});
        // A PIN of letters falls back to the factory one; a short one takes the focus back.
        zeile("PIN 12a4", "txt_PIN", "12a4", "5183", {BeimVerlassen});
        zeile("PIN 123", "txt_PIN", "123", "123", {"Geben Sie eine 4-stellige Pin ein"});
    }
    void verlassen()
    {
        QFETCH(QString, feld);
        QFETCH(QString, text);
        Eingabe e;
        e.k.obu_Amtsanschluß->click(); // the local ring time takes input only on an exchange line
        QLineEdit* box = e.control<QLineEdit>(feld);
        box->setText(text);
        e.betretenUndVerlassen(box);
        QTEST(box->text(), "nachher");
        QTEST(e.meldungen.texts(), "meldungen");
        QCOMPARE(QApplication::focusWidget() == box, text == "123");
        QVERIFY(!e.k.obu_sofort->isEnabled() || !e.k.txt_Masterumleitungsnummer->text().isEmpty());
    }

    // Entering selects all, typing replaces it; the typing limits never cut what the program shows.
    void betretenUndAnzeigen()
    {
        Eingabe e;
        QLineEdit* nummer = e.k.txt_Masterumleitungsnummer;
        nummer->setText("030123");
        nummer->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(nummer, "9");
        QCOMPARE(nummer->text(), "9");
        QVERIFY(e.k.obu_sofort->isEnabled());
        QTest::keyClick(nummer, Qt::Key_Backspace);
        QVERIFY(!e.k.obu_sofort->isEnabled() && e.k.obu_aus->isChecked());
        e.k.KonfigurationAnzeigen({.anschlussart = Anschlussart::Amtsanschluss,
                                   .PIN = "12345",
                                   .Türgesprächszeit = "0060",
                                   .Masterumleitungsnummer = {}});
        QCOMPARE(e.k.txt_PIN->text() + e.k.txt_Türgesprächszeit->text(), "123450060");
    }
};

QTEST_MAIN(tst_Konfigurationseingabe)
#include "tst_konfigurationseingabe.moc"
