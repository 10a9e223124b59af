// The configuration file and printout through the window: loaded over what it shows, saved and printed
// byte for byte like the hand-written files, and a file that holds no configuration. A file that cannot
// be read or written is refused by the helpers the log and phone book files share (tst_loggen).

#include "Hauptfenster.h"
#include "KonfigurationTab.h"
#include "Konfigurationsdatei.h"
#include "Testdaten.h"
#include "Windows1252.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

// The filled file with texts replaced, each pair the old text and the new one.
QByteArray gefüllt(const QStringList& ersetzungen = {})
{
    QByteArray datei = testdatei("gefuellt.kpk");
    for (int i = 0; i + 1 < ersetzungen.size(); i += 2) {
        if (!datei.contains(windows1252::kodieren(ersetzungen[i])))
            qFatal("no %s in the file", qPrintable(ersetzungen[i]));
        datei.replace(windows1252::kodieren(ersetzungen[i]), windows1252::kodieren(ersetzungen[i + 1]));
    }
    return datei;
}

} // namespace

class tst_Konfigurationsdatei : public QObject {
    Q_OBJECT
private slots:
    // Loaded over a shown configuration (extension, PIN 5183, "An", delayed forwarding to 0301234567,
    // answering machine ticked) and saved again. A label counts only where it begins a line; a missing
    // one keeps the shown value, and so does the answering machine, which no file holds.
    void ladenUndSpeichern_data()
    {
        QTest::addColumn<QByteArray>("datei");
        QTest::addColumn<QByteArray>("gespeichert");
        const QString keineMarke = "Verzögert:\t\t\r\n\t\tSofort:\t\tX",
                      verzögert = "Verzögert:\t\tX\r\n\t\tSofort:\t\t";
        QTest::newRow("Werkseinstellungen") << testdatei("werk.kpk") << testdatei("werk.kpk");
        QTest::newRow("gefüllt") << gefüllt() << gefüllt();
        QTest::newRow("Aus: und Sofort: markiert")
            << gefüllt({"Aus: \t\t\r\n", "Aus: \t\tX\r\n"}) << gefüllt();
        QTest::newRow("keine Marke") << gefüllt({"Sofort:\t\tX", "Sofort:\t\t"})
                                     << gefüllt({keineMarke, verzögert});
        QTest::newRow("PIN 12345, Zeit 999") // beyond what can be typed
            << gefüllt({"\t0815", "\t12345", "\t045", "\t999"})
            << gefüllt({"\t0815", "\t12345", "\t045", "\t999"});
        const QString mitBeschriftung = "\t02\tExterne Rufzeit (in Sek.):\t\t\t777";
        QTest::newRow("Beschriftung im Wert")
            << gefüllt({"\t020", mitBeschriftung}) << gefüllt({"\t020", mitBeschriftung});
        QTest::newRow("leere Rufnummer")
            << gefüllt({"\t0301234567", "\t"})
            << gefüllt({"\t0301234567", "\t", "Aus: \t\t\r", "Aus: \t\tX\r", "Sofort:\t\tX", "Sofort:\t\t"});
        QTest::newRow("Beschriftungen fehlen")
            << gefüllt({"\tPIN:\t\t\t0815\r\n", "", "\t\tAmtsanschluss:\t\tX\r\n", "", "\t\tAus:\t\tX\r\n",
                        "", "\t\tAus: \t\t\r\n\t\tVerzögert:\t\t\r\n\t\tSofort:\t\tX\r\n", ""})
            << gefüllt({"Amtsanschluss:\t\tX\r\n\t\tNebenstellenanschluss:\t\t",
                        "Amtsanschluss:\t\t\r\n\t\tNebenstellenanschluss:\t\tX", "0815", "5183",
                        "An:\t\t\r\n\t\tAus:\t\tX", "An:\t\tX\r\n\t\tAus:\t\t", keineMarke, verzögert});
    }
    void ladenUndSpeichern()
    {
        QFETCH(QByteArray, datei);
        Hauptfenster h;
        const QString pfad = dateiAnlegen(h.sicherungsordner.filePath("k.kpk"), datei);
        h.dateien.names = {pfad, h.sicherungsordner.filePath("neu.kpk")};
        KonfigurationTab& k = *h.fenster.konfiguration;
        k.KonfigurationAnzeigen({.masterumleitung = Masterumleitung::verzögert,
                                 .Anrufbeantworter = true,
                                 .Masterumleitungsnummer = "0301234567"});
        h.klicken("cmd_KonfigAusDateiLaden");
        h.klicken("cmd_KonfigInDateiSpeichern");
        QTEST(dateiinhalt(h.sicherungsordner.filePath("neu.kpk")), "gespeichert");
        const bool nummer = !k.angezeigteKonfiguration().Masterumleitungsnummer.isEmpty();
        QVERIFY(k.angezeigteKonfiguration().Anrufbeantworter == nummer && k.obu_aus->isEnabled() == nummer);
        QCOMPARE(h.dateien.startPaths, QStringList({"", pfad})); // the dialogs start at the last file
        QVERIFY(h.meldungen.shown.isEmpty());
    }

    // A file without any of the labels is refused; what is shown stays.
    void keineKonfiguration()
    {
        Hauptfenster h;
        h.dateien.names = {
            dateiAnlegen(h.sicherungsordner.filePath("k.kpk"), "PIN 1234\r\nRufnummer 0301234\r\n")};
        KonfigurationTab& k = *h.fenster.konfiguration;
        k.txt_PIN->setText("2222");
        const Konfiguration gezeigt = k.angezeigteKonfiguration();
        h.klicken("cmd_KonfigAusDateiLaden");
        QVERIFY(k.angezeigteKonfiguration() == gezeigt);
        QCOMPARE(h.meldungen.texts(),
                 QStringList{
                     "Die Datei \"k.kpk\" enthält keine Klingport-Konfiguration und wurde nicht geladen."});
        QCOMPARE(h.meldungen.shown[0].icon, platform::Icon::Exclamation);
    }

    // On the chosen printer in Courier New, 10 points, upright; the answering machine is never printed.
    void drucken()
    {
        Hauptfenster h;
        h.klicken("cmd_KonfigDrucken");
        h.drucker.names = {"Laser"};
        h.drucker.setCurrent("Laser");
        h.drucker.bereit = false;
        h.klicken("cmd_KonfigDrucken");
        QCOMPARE(h.meldungen.texts(), QStringList(2, "Drucker Fehler"));
        QCOMPARE(h.meldungen.shown[1].icon, platform::Icon::Critical);
        h.drucker.bereit = true;
        h.klicken("cmd_KonfigDrucken");
        h.fenster.konfiguration->KonfigurationAnzeigen(
            *KonfigurationAusDatei(gefüllt(), {.Anrufbeantworter = true, .Masterumleitungsnummer = {}}));
        h.klicken("cmd_KonfigDrucken");
        QList<platform::Druckdokument> erwartet;
        for (const char* name : {"werk.druck", "gefuellt.druck"})
            erwartet.append({"Laser", "Courier New", 10, QPageLayout::Portrait,
                             windows1252::dekodieren(testdatei(name)) + "\r\n"});
        QCOMPARE(h.drucker.gedruckt, erwartet);
        QCOMPARE(h.meldungen.shown.size(), 2);
    }
};

QTEST_MAIN(tst_Konfigurationsdatei)
#include "tst_konfigurationsdatei.moc"
