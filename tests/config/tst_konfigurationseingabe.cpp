// Typing into, entering and leaving the configuration tab's text boxes, keys sent as a user types them.

#include "Hauptfenster.h"
#include "KonfigurationTab.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

const QString NurZahlen = "Bitte nur Zahlen eingeben!";
const QString NurZahlenBeimVerlassen = "Bitte nur Zahlen eingeben";

// The main window, active, with its configuration tab in front.
struct Eingabe : Hauptfenster {
    KonfigurationTab& k = *fenster.konfiguration;

    Eingabe()
    {
        QApplication::setActiveWindow(&fenster);
        if (!QTest::qWaitForWindowActive(&fenster))
            qWarning("the main window did not become active");
    }
    QLineEdit* box(const QString& name) { return control<QLineEdit>(name); }
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
    void typing_data()
    {
        QTest::addColumn<QString>("feld");
        QTest::addColumn<QString>("vorher");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("tasten");
        QTest::addColumn<QString>("nachher");
        QTest::addColumn<QStringList>("meldungen");
        const QString zeit = "txt_ExterneRufzeit";
        QTest::newRow("1, 2, 1") << zeit << "" << 0 << "121"
                                 << "" << QStringList{"Maximaler Wert sind 120 Sekunden!"};
        QTest::newRow("1, 2, 0") << zeit << "" << 0 << "120"
                                 << "120" << QStringList();
        QTest::newRow("digit taken as appended, wherever the caret")
            << "txt_LokaleRufzeit"
            << "12" << 0 << "5"
            << "" << QStringList{"Maximaler Wert sind 120 Sekunden!"};
        QTest::newRow("a fourth digit") << "txt_Türgesprächszeit"
                                        << "" << 0 << "0600"
                                        << "060" << QStringList();
        QTest::newRow("letter in a time") << zeit << "" << 0 << "1x2"
                                          << "12" << QStringList{NurZahlen};
        QTest::newRow("letter in the PIN empties it") << "txt_PIN"
                                                      << "" << 0 << "51a"
                                                      << "" << QStringList{NurZahlen};
        QTest::newRow("five digits of PIN") << "txt_PIN"
                                            << "" << 0 << "12345"
                                            << "1234" << QStringList();
        QTest::newRow("dialling characters") << "txt_Masterumleitungsnummer"
                                             << "" << 0 << "0,pP*#Ff9q"
                                             << "0,pP*#Ff9" << QStringList{NurZahlen};
    }

    void typing()
    {
        QFETCH(QString, feld);
        QFETCH(QString, vorher);
        QFETCH(int, caret);
        QFETCH(QString, tasten);
        Eingabe e;
        QLineEdit* box = e.box(feld);
        box->setText(vorher);
        box->setCursorPosition(caret);
        QTest::keyClicks(box, tasten);
        QTEST(box->text(), "nachher");
        QTEST(e.meldungen.texts(), "meldungen");
        for (const ShownMessage& m : e.meldungen.shown)
            QCOMPARE(m.icon, platform::Icon::Exclamation);
    }

    void leavingTimeBoxes_data()
    {
        QTest::addColumn<QString>("feld");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("nachher");
        QTest::addColumn<QStringList>("meldungen");
        for (const auto& [feld, ersatz] :
             {std::pair{"txt_LokaleRufzeit", "030"}, std::pair{"txt_ExterneRufzeit", "030"},
              std::pair{"txt_Türgesprächszeit", "060"}}) {
            const QString name = QString::fromUtf8(feld);
            QTest::addRow("%s 7", feld) << name << "7"
                                        << "007" << QStringList();
            QTest::addRow("%s 45", feld) << name << "45"
                                         << "045" << QStringList();
            QTest::addRow("%s empty", feld) << name << "" << ersatz << QStringList();
            QTest::addRow("%s pasted 4x", feld)
                << name << "4x" << ersatz << QStringList{NurZahlenBeimVerlassen};
        }
        QTest::newRow("above 120 that was not typed stays") << "txt_ExterneRufzeit"
                                                            << "999"
                                                            << "999" << QStringList();
        QTest::newRow("number with a letter") << "txt_Masterumleitungsnummer"
                                              << "0301a"
                                              << "" << QStringList{NurZahlenBeimVerlassen};
    }

    void leavingTimeBoxes()
    {
        QFETCH(QString, feld);
        QFETCH(QString, text);
        Eingabe e;
        e.k.obu_Amtsanschluß->click(); // the local ring time takes input only on an exchange line
        e.box(feld)->setText(text);
        e.betretenUndVerlassen(e.box(feld));
        QTEST(e.box(feld)->text(), "nachher");
        QTEST(e.meldungen.texts(), "meldungen");
        QVERIFY(!e.k.obu_sofort->isEnabled() || !e.k.txt_Masterumleitungsnummer->text().isEmpty());
    }

    void pinTakesTheFocusBack()
    {
        Eingabe e;
        QLineEdit* pin = e.k.txt_PIN;
        pin->setText("123");
        e.betretenUndVerlassen(pin);
        QCOMPARE(e.meldungen.texts(), QStringList{"Geben Sie eine 4-stellige Pin ein"});
        QCOMPARE(QApplication::focusWidget(), pin);

        // Pasted letters: the PIN falls back to the factory one, which has four digits.
        pin->setText("12a4");
        e.k.obu_Variante1->setFocus(Qt::TabFocusReason);
        QCOMPARE(e.meldungen.texts().mid(1), QStringList{NurZahlenBeimVerlassen});
        QCOMPARE(pin->text(), "5183");
        QCOMPARE(QApplication::focusWidget(), e.k.obu_Variante1);
    }

    void enteringSelectsAll()
    {
        Eingabe e;
        QLineEdit* nummer = e.k.txt_Masterumleitungsnummer;
        nummer->setText("030123");
        nummer->setFocus(Qt::TabFocusReason);
        QCOMPARE(nummer->selectedText(), "030123");
        QTest::keyClicks(nummer, "9"); // typing replaces it
        QCOMPARE(nummer->text(), "9");
        QVERIFY(e.k.obu_sofort->isEnabled());
        QTest::keyClick(nummer, Qt::Key_Backspace);
        QVERIFY(!e.k.obu_sofort->isEnabled() && e.k.obu_aus->isChecked());
    }

    // The typing limits never cut what the program shows.
    void programTextIsNotCut()
    {
        Eingabe e;
        Konfiguration lang;
        lang.PIN = "12345";
        lang.Türgesprächszeit = "0060";
        e.k.KonfigurationAnzeigen(lang);
        QCOMPARE(e.k.txt_PIN->text(), "12345");
        QCOMPARE(e.k.txt_Türgesprächszeit->text(), "0060");
    }
};

QTEST_MAIN(tst_Konfigurationseingabe)
#include "tst_konfigurationseingabe.moc"
