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
        const QString zeit = "txt_ExterneRufzeit";
        QTest::newRow("121") << zeit << ""
                             << "121"
                             << "" << QStringList{ZweiMinuten};
        QTest::newRow("120") << zeit << ""
                             << "120"
                             << "120" << QStringList();
        QTest::newRow("5 vor 12") << "txt_LokaleRufzeit"
                                  << "12"
                                  << "5"
                                  << "" << QStringList{ZweiMinuten};
        QTest::newRow("vierte Ziffer") << "txt_Türgesprächszeit"
                                       << ""
                                       << "0600"
                                       << "060" << QStringList();
        QTest::newRow("Wählzeichen in Zeit") << zeit << ""
                                             << "1p2"
                                             << "12" << QStringList{NurZahlen};
        QTest::newRow("Buchstabe leert PIN") << "txt_PIN"
                                             << ""
                                             << "51a"
                                             << "" << QStringList{NurZahlen};
        QTest::newRow("fünfte Ziffer der PIN") << "txt_PIN"
                                               << ""
                                               << "12345"
                                               << "1234" << QStringList();
        QTest::newRow("Wählzeichen") << "txt_Masterumleitungsnummer"
                                     << ""
                                     << "0,pP*#Ff9q\b"
                                     << "0,pP*#Ff" << QStringList{NurZahlen};
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
        for (const auto& [feld, ersatz] :
             {std::pair{"txt_LokaleRufzeit", "030"}, std::pair{"txt_ExterneRufzeit", "030"},
              std::pair{"txt_Türgesprächszeit", "060"}}) {
            QTest::addRow("%s 7", feld) << feld << "7"
                                        << "007" << QStringList();
            QTest::addRow("%s 45", feld) << feld << "45"
                                         << "045" << QStringList();
            QTest::addRow("%s leer", feld) << feld << "" << ersatz << QStringList();
            QTest::addRow("%s 4p eingefügt", feld) << feld << "4p" << ersatz << QStringList{BeimVerlassen};
        }
        QTest::newRow("nicht getippt über 120") << "txt_ExterneRufzeit"
                                                << "999"
                                                << "999" << QStringList();
        QTest::newRow("Nummer mit Buchstabe") << "txt_Masterumleitungsnummer"
                                              << "0301a"
                                              << "" << QStringList{BeimVerlassen};
        // A PIN of letters falls back to the factory one; a short one takes the focus back.
        QTest::newRow("PIN 12a4") << "txt_PIN"
                                  << "12a4"
                                  << "5183" << QStringList{BeimVerlassen};
        QTest::newRow("PIN 123") << "txt_PIN"
                                 << "123"
                                 << "123" << QStringList{"Geben Sie eine 4-stellige Pin ein"};
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
        e.k.KonfigurationAnzeigen({Anschlussart::Amtsanschluss, "12345", "030", "030", "0060"});
        QCOMPARE(e.k.txt_PIN->text() + e.k.txt_Türgesprächszeit->text(), "123450060");
    }
};

QTEST_MAIN(tst_Konfigurationseingabe)
#include "tst_konfigurationseingabe.moc"
