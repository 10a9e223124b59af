// The configuration file and printout: the texts byte for byte, loading through the window with the
// controls' reactions, the refusals, and printing.

#include "Hauptfenster.h"
#include "KonfigurationTab.h"
#include "Konfigurationsdatei.h"
#include "Testdaten.h"
#include "Windows1252.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Konfiguration)

namespace {

Konfiguration gefüllt()
{
    Konfiguration k;
    k.anschlussart = Anschlussart::Amtsanschluss;
    k.PIN = "0815";
    k.Türgesprächszeit = "045";
    k.LokaleRufzeit = "020";
    k.ExterneRufzeit = "090";
    k.variante = Variante::Nacht;
    k.Mithören = false;
    k.masterumleitung = Masterumleitung::sofort;
    k.Masterumleitungsnummer = "0301234567";
    return k;
}

// The filled file with one text replaced, in Windows-1252.
QByteArray geändert(const QString& alt, const QString& neu)
{
    QByteArray datei = testdatei("gefuellt.kpk");
    const QByteArray a = windows1252::kodieren(alt);
    if (!datei.contains(a))
        qFatal("no %s in the file", qPrintable(alt));
    return datei.replace(a, windows1252::kodieren(neu));
}

} // namespace

class tst_Konfigurationsdatei : public QObject {
    Q_OBJECT
private slots:
    void texte_data()
    {
        QTest::addColumn<Konfiguration>("konfiguration");
        QTest::addColumn<QString>("name");
        QTest::newRow("Werkseinstellungen") << Werkseinstellungen() << "werk";
        QTest::newRow("gefüllt") << gefüllt() << "gefuellt";
    }
    void texte()
    {
        QFETCH(Konfiguration, konfiguration);
        QFETCH(QString, name);
        QCOMPARE(KonfigurationDateiinhalt(konfiguration), testdatei(name + ".kpk"));
        QCOMPARE(KonfigurationDruckText(konfiguration), windows1252::dekodieren(testdatei(name + ".druck")));

        Konfiguration anders = gefüllt();
        anders.anschlussart = Anschlussart::Nebenstellenanschluss;
        anders.PIN = "9";
        anders.Anrufbeantworter = !konfiguration.Anrufbeantworter;
        Konfiguration erwartet = konfiguration;
        erwartet.Anrufbeantworter = anders.Anrufbeantworter; // not in the file
        QCOMPARE(KonfigurationAusDatei(testdatei(name + ".kpk"), anders), erwartet);
    }

    // Saved from the window and loaded again over the factory values: every field but the
    // answering machine comes back, and the controls react as they do to the user.
    void speichernUndLaden()
    {
        Hauptfenster h;
        QTemporaryDir ordner;
        const QString pfad = ordner.filePath("anlage.kpk");
        h.dateien.names = {pfad, "", pfad};
        h.fenster.konfiguration->KonfigurationAnzeigen(gefüllt());
        h.klicken("cmd_KonfigInDateiSpeichern");
        QFile datei(pfad);
        QVERIFY(datei.open(QIODevice::ReadOnly));
        QCOMPARE(datei.readAll(), testdatei("gefuellt.kpk"));

        h.fenster.konfiguration->KonfigurationWerkseinstellungen();
        h.klicken("cmd_KonfigAusDateiLaden"); // the dialog gives no name: nothing happens
        QCOMPARE(h.fenster.konfiguration->angezeigteKonfiguration(), Werkseinstellungen());
        h.klicken("cmd_KonfigAusDateiLaden");
        QCOMPARE(h.fenster.konfiguration->angezeigteKonfiguration(), gefüllt());
        QVERIFY(h.control("txt_LokaleRufzeit")->isEnabled());
        QVERIFY(h.control("obu_sofort")->isEnabled());
        QCOMPARE(h.dateien.filters.value(0), "Welko Klingport Konfiguration (*.kpk)|*.kpk");
        QCOMPARE(h.dateien.startPaths, (QStringList{"", pfad, pfad}));
        QVERIFY(h.meldungen.shown.isEmpty());
    }

    // Loaded over a shown number with delayed forwarding and the answering machine ticked.
    void laden_data()
    {
        QTest::addColumn<QByteArray>("datei");
        QTest::addColumn<Konfiguration>("erwartet");
        Konfiguration k = gefüllt();
        k.Anrufbeantworter = true;
        QTest::newRow("unverändert") << testdatei("gefuellt.kpk") << k;

        QTest::newRow("Aus: und Sofort: markiert")
            << geändert("\t\tAus: \t\t\r\n", "\t\tAus: \t\tX\r\n") << k;
        k.masterumleitung = Masterumleitung::verzögert;
        QTest::newRow("keine Marke") << geändert("\t\tSofort:\t\tX", "\t\tSofort:\t\t") << k;

        Konfiguration zwei = gefüllt();
        zwei.Anrufbeantworter = true;
        zwei.PIN = "12";
        zwei.Türgesprächszeit = "999";
        QTest::newRow("PIN zweistellig, Zeit 999")
            << geändert("\t\t\t0815", "\t\t\t12").replace("\t\t\t045", "\t\t\t999") << zwei;

        // A label counts only where it begins a line, not inside another's value.
        Konfiguration mitBeschriftung = gefüllt();
        mitBeschriftung.Anrufbeantworter = true;
        mitBeschriftung.LokaleRufzeit = "02\tExterne Rufzeit (in Sek.):\t\t\t777";
        QTest::newRow("Beschriftung im Wert")
            << geändert("\t\t\t020", "\t\t\t02\tExterne Rufzeit (in Sek.):\t\t\t777") << mitBeschriftung;

        Konfiguration ohneNummer = gefüllt();
        ohneNummer.Masterumleitungsnummer.clear();
        ohneNummer.masterumleitung = Masterumleitung::aus;
        QTest::newRow("leere Rufnummer") << geändert("\t\t0301234567", "\t\t") << ohneNummer;

        // Missing labels keep what the window shows, even where another label begins alike.
        QTest::newRow("Beschriftungen fehlen")
            << geändert("\tPIN:\t\t\t0815\r\n", "")
                   .replace("\t\tAmtsanschluss:\t\tX\r\n", "")
                   .replace("\t\tAus:\t\tX\r\n", "")
                   .replace("\t\tAus: \t\t\r\n\t\tVerz\xf6gert:\t\t\r\n\t\tSofort:\t\tX\r\n", "")
            << [] {
                   Konfiguration k = gefüllt();
                   k.anschlussart = Anschlussart::Nebenstellenanschluss;
                   k.PIN = "5183";
                   k.Mithören = true;
                   k.masterumleitung = Masterumleitung::verzögert;
                   k.Anrufbeantworter = true;
                   return k;
               }();
    }
    void laden()
    {
        QFETCH(QByteArray, datei);
        QFETCH(Konfiguration, erwartet);
        Hauptfenster h;
        QTemporaryDir ordner;
        h.dateien.names = {dateiAnlegen(ordner.filePath("k.kpk"), datei)};
        Konfiguration vorher = Werkseinstellungen();
        vorher.masterumleitung = Masterumleitung::verzögert;
        vorher.Masterumleitungsnummer = "0301234567";
        vorher.Anrufbeantworter = true;
        h.fenster.konfiguration->KonfigurationAnzeigen(vorher);
        h.klicken("cmd_KonfigAusDateiLaden");
        QCOMPARE(h.fenster.konfiguration->angezeigteKonfiguration(), erwartet);
        QCOMPARE(h.control("obu_aus")->isEnabled(), !erwartet.Masterumleitungsnummer.isEmpty());
    }

    void abgelehnt_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QString>("meldung");
        QTest::addColumn<platform::Icon>("icon");
        QTest::newRow("keine Beschriftung")
            << "fremd.kpk" << QByteArray("PIN 1234\r\nRufnummer 0301234\r\n")
            << "Die Datei \"fremd.kpk\" enthält keine Klingport-Konfiguration und wurde nicht geladen."
            << platform::Icon::Exclamation;
        QTest::newRow("nicht lesbar")
            << "fehlt/k.kpk" << QByteArray()
            << "Die Konfigurationsdatei \"k.kpk\" konnte nicht gelesen werden." << platform::Icon::Critical;
    }
    void abgelehnt()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, inhalt);
        QFETCH(QString, meldung);
        QFETCH(platform::Icon, icon);
        Hauptfenster h;
        QTemporaryDir ordner;
        h.dateien.names = {inhalt.isEmpty() ? ordner.filePath(name)
                                            : dateiAnlegen(ordner.filePath(name), inhalt)};
        h.fenster.konfiguration->KonfigurationAnzeigen(gefüllt());
        h.klicken("cmd_KonfigAusDateiLaden");
        QCOMPARE(h.fenster.konfiguration->angezeigteKonfiguration(), gefüllt());
        QCOMPARE(h.meldungen.shown.size(), 1);
        QCOMPARE(h.meldungen.shown[0].text, meldung);
        QCOMPARE(h.meldungen.shown[0].icon, icon);
    }

    void nichtGeschrieben()
    {
        Hauptfenster h;
        QTemporaryDir ordner;
        h.dateien.names = {ordner.filePath("fehlt/k.kpk")};
        h.klicken("cmd_KonfigInDateiSpeichern");
        QCOMPARE(h.meldungen.shown.size(), 1);
        QCOMPARE(h.meldungen.shown[0].text,
                 "Die Konfigurationsdatei \"k.kpk\" konnte nicht gespeichert werden.");
        QCOMPARE(h.meldungen.shown[0].icon, platform::Icon::Critical);
    }

    // The answering machine is never printed; a failed printout leaves nothing for the next one.
    void drucken()
    {
        Hauptfenster h;
        h.klicken("cmd_KonfigDrucken");
        QCOMPARE(h.meldungen.shown.size(), 1);
        QCOMPARE(h.meldungen.shown[0].text, "Drucker Fehler");
        QCOMPARE(h.meldungen.shown[0].icon, platform::Icon::Critical);

        h.drucker.names = {"Laser"};
        h.drucker.setCurrent("Laser");
        h.drucker.bereit = false;
        h.klicken("cmd_KonfigDrucken");
        QCOMPARE(h.meldungen.shown.size(), 2);
        QCOMPARE(h.meldungen.shown[1].text, "Drucker Fehler");

        h.drucker.bereit = true;
        Konfiguration k = gefüllt();
        k.Anrufbeantworter = true;
        h.fenster.konfiguration->KonfigurationAnzeigen(k);
        h.klicken("cmd_KonfigDrucken");
        QCOMPARE(h.drucker.gedruckt.size(), 1);
        const platform::Druckdokument erwartet{"Laser", "Courier New", 10, QPageLayout::Portrait,
                                               windows1252::dekodieren(testdatei("gefuellt.druck")) + "\r\n"};
        QCOMPARE(h.drucker.gedruckt[0], erwartet);
        QCOMPARE(h.meldungen.shown.size(), 2);
    }
};

QTEST_MAIN(tst_Konfigurationsdatei)
#include "tst_konfigurationsdatei.moc"
