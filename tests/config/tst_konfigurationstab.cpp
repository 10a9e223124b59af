// The configuration tab through the main window, on a scripted link and real files.
// Device commands: the outcomes only a scripted link plays (time-outs, transfer errors, refusals, short
// reads) with their log lines, message and icon, the window locked while waiting; the resets and the
// reactions of the configuration's controls. Files: loaded over what is shown, saved and printed byte for
// byte like the hand-written files, and a file that holds no configuration; a file that cannot be read
// or written is refused by the helpers the log and phone book files share (tst_loggen). Input: keys sent
// as a user types them, text pasted and dropped, into the tab's boxes and the entry editor's.

#include "Hauptfenster.h"
#include "KonfigurationTab.h"
#include "Konfigurationsdatei.h"
#include "Musterabbild.h"
#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"
#include "Testdaten.h"
#include "Windows1252.h"
#include "frm_Telbuch.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>

using kommunikation::Antwort;
using kommunikation::Ergebnis;
using platform::Icon;

Q_DECLARE_METATYPE(platform::Icon)

namespace {

const QString Belegt = "Andere Programmteile greifen gerade\r\nauf die Schnittstelle zu. \r\n"
                       "Beenden Sie ggf. die Logfunktion.";
const QString Fehler = "Konfiguration auslesen wegen Übertragungsfehlern abgebrochen";

// An image whose configuration and phone book differ from the factory ones.
QByteArray geräteabbild()
{
    Telefonbuch buch;
    buch[0] = {"Müller", "0301234", "", "1", "2", "gefangen", "01-02-03-04-05-06-07-08"};
    return musterabbild(
        {.anschlussart = Anschlussart::Amtsanschluss, .PIN = "2468", .Masterumleitungsnummer = "0,0301234#"},
        buch);
}

const QString NurZahlen = "Bitte nur Zahlen eingeben!";
const QString BeimVerlassen = "Bitte nur Zahlen eingeben";
const QString ZweiMinuten = "Maximaler Wert sind 120 Sekunden!";

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

// The main window, active, with its tabs at hand.
struct Fenster : Hauptfenster {
    KonfigurationTab& k = *fenster.konfiguration;
    TelefonbuchTab& tab = *fenster.telefonbuch;

    Fenster() { aktivieren(&fenster); }
};

// Types as a user does: "⇤" is Home, "⇥" selects the next character.
void tippen(QLineEdit* box, const QString& tasten)
{
    for (const QChar taste : tasten) {
        if (taste == u'⇤')
            QTest::keyClick(box, Qt::Key_Home);
        else if (taste == u'⇥')
            QTest::keyClick(box, Qt::Key_Right, Qt::ShiftModifier);
        else
            QTest::keyClicks(box, QString(taste));
    }
}

// Drops text onto the box as a drag from another program does, without giving it the focus.
void ablegen(QLineEdit* box, const QString& text)
{
    QMimeData daten;
    daten.setText(text);
    QDragEnterEvent hinein({2, 2}, Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &hinein);
    QDropEvent ablage({2, 2}, Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &ablage);
}

} // namespace

class tst_Konfigurationstab : public QObject {
    Q_OBJECT
private slots:
    void deviceCommands_data()
    {
        QTest::addColumn<QString>("knopf");
        QTest::addColumn<Antwort>("antwort");
        QTest::addColumn<Ergebnis>("senden");
        QTest::addColumn<QStringList>("log"); // one line a second, from 09:05:00
        QTest::addColumn<QStringList>("meldung");
        QTest::addColumn<Icon>("icon");
        QTest::addColumn<int>("zeile"); // the grid's current entry afterwards
        const auto gelesen = [](int bytes) { return Antwort{Ergebnis::Erfolg, geräteabbild().left(bytes)}; };
        const Antwort timeout{Ergebnis::Timeout, {}}, belegt{Ergebnis::Belegt, {}}, ganz = gelesen(6144);
        const Ergebnis ok = Ergebnis::Erfolg;
        const QString k = "cmd_KonfigAusAnlageLaden", ks = "cmd_KonfigInAnlageSpeichern";
        const QString t = "cmd_TelbuchAusAnlageLaden", ts = "cmd_TelbuchInAnlageSpeichern";
        const QString ausgelesen = " Konfiguration erfolgreich ausgelesen";
        const QString belegtLesen = " Konfiguration auslesen nicht möglich, da die Schnittstelle belegt ist";
        const auto zeile = [](const char* tag, QString knopf, Antwort antwort, Ergebnis senden,
                              QStringList log, QString meldung, Icon icon, int aktuell) {
            QTest::newRow(tag) << knopf << antwort << senden << log << QStringList{meldung} << icon
                               << aktuell;
        };
        zeile("Konfiguration: 4096 Bytes genügen", k, gelesen(4096), ok, {ausgelesen},
              "Konfiguration erfolgreich ausgelesen!", Icon::Information, 8);
        zeile("Konfiguration: 4095 Bytes", k, gelesen(4095), ok, {" " + Fehler}, Fehler, Icon::Critical, 8);
        zeile("Konfiguration: Timeout", k, timeout, ok, {" Konfiguration auslesen wegen Timeout abgebrochen"},
              "Auslesen wegen Timeout abgebrochen!", Icon::Critical, 8);
        zeile("Konfiguration: Übertragungsfehler", k, {Ergebnis::Transferfehler, {}}, ok, {" " + Fehler},
              Fehler, Icon::Critical, 8);
        zeile("Konfiguration speichern: Timeout", ks, ganz, Ergebnis::Timeout,
              {ausgelesen, " Konfiguration konnte wegen eines Timeout nicht übertragen werden"},
              "Übertragung wegen Timeout abgebrochen!", Icon::Critical, 8);
        zeile(
            "Konfiguration speichern: belegt", ks, ganz, Ergebnis::Belegt,
            {ausgelesen, " Konfiguration konnte nicht übertragen werden, weil die Schnittstelle belegt ist"},
            Belegt, Icon::Exclamation, 8);
        zeile("Konfiguration speichern: 6143 Bytes gelesen", ks, gelesen(6143), ok, {" " + Fehler}, Fehler,
              Icon::Critical, 8);
        zeile("Telefonbuch", t, ganz, ok, {" Telefonbuch erfolgreich ausgelesen"},
              "Telefonbuch erfolgreich ausgelesen!", Icon::Information, 1);
        zeile("Telefonbuch: Timeout", t, timeout, ok, {" Telefonbuchauslesen wegen Timeout abgebrochen"},
              "Auslesen wegen Timeout abgebrochen!", Icon::Critical, 8);
        zeile("Telefonbuch: belegt", t, belegt, ok,
              {" Telefonbuchauslesen nicht möglich, da die Schnittstelle belegt ist"}, Belegt,
              Icon::Exclamation, 8);
        // Building the image walks the grid to its last cell.
        zeile("Telefonbuch speichern: Übertragungsfehler", ts, ganz, Ergebnis::Transferfehler,
              {ausgelesen, " Telefonbuch konnte wegen Übertragungsfehlern nicht übertragen werden"},
              "Übertragung wegen Übertragungsfehlern abgebrochen!", Icon::Critical, 50);
        zeile("Telefonbuch speichern: Lesen belegt", ts, belegt, ok, {belegtLesen}, Belegt, Icon::Exclamation,
              8);
        // A call button answer ends in CR LF (its whole form: tst_cli); both log lines bear the time it was
        // asked.
        const QString r = "Cmd_RufInformationAbholen", falsch = "Rufinformationen fehlerhaft!";
        const QString abgeholt = " Rufinformation erfolgreich abgeholt\r\n07.12.2026 09:05:00 Rufinformation "
                                 "sind Fehlerhaft ";
        zeile("Ruftaste ohne CR", r, {ok, "12 34 56 78 9A  \n"}, ok, {abgeholt}, falsch, Icon::Critical, 8);
    }
    void deviceCommands()
    {
        QFETCH(QString, knopf);
        QFETCH(Antwort, antwort);
        QFETCH(Ergebnis, senden);
        QFETCH(QStringList, log);
        Fenster h;
        h.k.txt_PIN->setText("9753");
        Telefonbuch buch;
        buch[7] = {.Teilnehmer = "bleibt", .Türstation = "3"};
        h.tab.modell().setTelefonbuch(buch);
        h.tab.zeileMarkieren(8);
        const Konfiguration gezeigt = h.k.angezeigteKonfiguration();
        h.link.bilder = {antwort};
        h.link.ruftaste = antwort;
        h.link.sendeergebnisse = {senden};
        h.klicken(knopf);
        QVERIFY(!h.bedienbarWährend.isEmpty() && !h.bedienbarWährend.contains(true) && h.fenster.isEnabled());
        QString erwartet;
        for (int i = 0; i < log.size(); ++i)
            erwartet += QString("07.12.2026 09:05:%1").arg(i, 2, 10, QChar('0')) + log[i] + "\r\n";
        QCOMPARE(h.log(), erwartet);
        QTEST(h.meldungen.texts(), "meldung");
        QTEST(h.meldungen.shown[0].icon, "icon");
        QTEST(h.tab.aktuelleZeile(), "zeile");
        // Only a complete read is stored; a load shows what it read, a store leaves the screen.
        const bool geladen = knopf.endsWith("AusAnlageLaden") && log.constFirst().contains("erfolgreich");
        QCOMPARE(h.link.aufrufe.contains("KonfigurationSenden"), log.size() == 2);
        QVERIFY(h.k.angezeigteKonfiguration() ==
                (geladen && knopf.contains("Konfig")
                     ? KonfigurationAusAbbild(antwort.daten, Masterumleitung::aus)
                     : gezeigt));
        QVERIFY(h.tab.modell().telefonbuch() ==
                (geladen && knopf.contains("Telbuch") ? TelefonbuchAusAbbild(antwort.daten) : buch));
    }

    // Each asks first: cancelled nothing happens, confirmed its tab is reset and the user told to store
    // it. The device is not contacted.
    void resets()
    {
        Fenster h;
        h.k.KonfigurationParsAnzeigen(geräteabbild());
        h.tab.TelefonbuchParsAnzeigen(geräteabbild());
        h.tab.zeileMarkieren(50);
        const Konfiguration gezeigt = h.k.angezeigteKonfiguration();
        const Telefonbuch buch = h.tab.modell().telefonbuch();
        h.meldungen.replies = {platform::Reply::Cancel, platform::Reply::Ok, platform::Reply::Ok,
                               platform::Reply::Cancel};
        h.klicken("cmd_Werkseinstellungen");
        QVERIFY(h.k.angezeigteKonfiguration() == gezeigt);
        h.klicken("cmd_Werkseinstellungen");
        QVERIFY(h.k.angezeigteKonfiguration() == Werkseinstellungen() &&
                h.tab.modell().telefonbuch() == buch);
        QVERIFY(!h.k.txt_LokaleRufzeit->isEnabled()); // the controls react as to the user
        h.klicken("cmd_TelbuchAusAnlageLoeschen");
        QVERIFY(h.tab.modell().telefonbuch() == buch && h.tab.aktuelleZeile() == 50);
        h.klicken("cmd_TelbuchAusAnlageLoeschen");
        QVERIFY(h.tab.modell().telefonbuch() == Telefonbuch{} && h.tab.aktuelleZeile() == 1);
        QVERIFY(h.k.angezeigteKonfiguration() == Werkseinstellungen());
        const QString werk = "Möchten Sie wirklich die Konfiguration auf Werkseinstellung zurücksetzen?";
        const QString löschen = "Möchten Sie wirklich das Telefonbuch löschen?\r\nAchtung: Sie müssen alle "
                                "Ruftasten neu zuordnen!";
        QCOMPARE(h.meldungen.texts(),
                 QStringList({werk, werk,
                              "Konfiguration wurde zurückgesetzt!\r\nBitte übertragen Sie die aktuelle "
                              "Konfiguration mit der Taste \"In Klingport speichern.\"",
                              löschen, löschen,
                              "Das Telefonbuch wurde gelöscht.\r\nBitte übertragen Sie das leere Telefonbuch "
                              "mit der Taste \"In Klingport speichern.\""}));
        for (const int i : {0, 3}) {
            const ShownMessage& m = h.meldungen.shown[i];
            QVERIFY(m.icon == Icon::Critical && m.buttons == platform::Buttons::OkCancel &&
                    m.standard == platform::Default::Second &&
                    h.meldungen.shown[i + 2].icon == Icon::Information);
        }
        QVERIFY(h.link.aufrufe.isEmpty());
    }

    // Delayed forwarding is checked against the phone book, whoever selects it, and stays selected.
    void delayedForwardingAgainstPhoneBook()
    {
        Fenster h;
        h.k.txt_Masterumleitungsnummer->setText("0");
        h.k.obu_verzögert->click();
        QVERIFY(h.meldungen.shown.isEmpty());
        h.tab.modell().setEintrag(50, {"", "", "", "2"});
        h.k.obu_aus->click();
        const Konfiguration verzögert{.masterumleitung = Masterumleitung::verzögert,
                                      .Masterumleitungsnummer = "0"};
        h.k.KonfigurationParsAnzeigen(KonfigurationInAbbild(QByteArray(6144, '\0'), verzögert));
        QVERIFY(h.k.obu_verzögert->isChecked());
        QCOMPARE(
            h.meldungen.texts(),
            QStringList{"Sie haben mindestens in einem Telefonbucheintrag die Anrufbeantworterfunktion "
                        "aktiviert. \r\nEine verzögerte Masterrufumleitung ist in Kombination mit diesem "
                        "Telefonbucheintrag nicht möglich."});
        QCOMPARE(h.meldungen.shown[0].icon, Icon::Information);
    }

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
        QTest::newRow("Aus: und Sofort: markiert")
            << gefüllt({"Aus: \t\t\r\n", "Aus: \t\tX\r\n"}) << gefüllt();
        QTest::newRow("keine Marke") << gefüllt({"Sofort:\t\tX", "Sofort:\t\t"})
                                     << gefüllt({keineMarke, verzögert});
        QTest::newRow("CR und gemischt")
            << gefüllt().replace("\r\n", "\r").replace("0815\r", "0815\n") << gefüllt();
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
        Fenster h;
        const QString pfad = dateiAnlegen(h.sicherungsordner.filePath("k.kpk"), datei);
        h.dateien.names = {pfad, h.sicherungsordner.filePath("neu.kpk")};
        h.k.KonfigurationAnzeigen({.masterumleitung = Masterumleitung::verzögert,
                                   .Anrufbeantworter = true,
                                   .Masterumleitungsnummer = "0301234567"});
        h.klicken("cmd_KonfigAusDateiLaden");
        h.klicken("cmd_KonfigInDateiSpeichern");
        QTEST(dateiinhalt(h.sicherungsordner.filePath("neu.kpk")), "gespeichert");
        const bool nummer = !h.k.angezeigteKonfiguration().Masterumleitungsnummer.isEmpty();
        QVERIFY(h.k.angezeigteKonfiguration().Anrufbeantworter == nummer &&
                h.k.obu_aus->isEnabled() == nummer);
        QCOMPARE(h.dateien.startPaths, QStringList({"", pfad})); // the dialogs start at the last file
        QVERIFY(h.meldungen.shown.isEmpty());
    }

    // A file without any of the labels, or with a value its box would refuse, is refused; what is shown
    // stays. A window's value that breaks its rule goes into no file and not into the device.
    void abgelehnt_data()
    {
        QTest::addColumn<QByteArray>("datei");
        QTest::addColumn<QString>("meldung");
        QTest::newRow("keine Beschriftung")
            << QByteArray("PIN 1234\r\nRufnummer 0301234\r\n")
            << "Die Datei \"k.kpk\" enthält keine Klingport-Konfiguration und wurde nicht geladen.";
        // The filled file with one value replaced.
        const auto ungültig = [](const char* tag, const char* alt, const char* neu, const QString& fehler) {
            QTest::newRow(tag)
                << gefüllt({alt, neu})
                << "Die Datei \"k.kpk\" wurde nicht geladen, weil ein Wert nicht gültig ist.\r\n" + fehler;
        };
        ungültig("PIN abcd", "\t0815", "\tabcd", "Zeile 11: PIN: \"abcd\" sind nicht 4 Ziffern.");
        ungültig("PIN 12345", "\t0815", "\t12345", "Zeile 11: PIN: \"12345\" sind nicht 4 Ziffern.");
        ungültig("Zeit 121", "\t045", "\t121",
                 "Zeile 13: Türgesprächszeit (in Sek.): \"121\" ist keine Zahl von 0 bis 120.");
        ungültig("Zeit 0090", "\t090", "\t0090",
                 "Zeile 17: Externe Rufzeit (in Sek.): \"0090\" ist keine Zahl von 0 bis 120.");
        ungültig("Rufnummer", "\t0301234567", "\t0301a",
                 "Zeile 28: Rufnummer: \"0301a\" hat mehr als 25 Zeichen oder andere als 0-9 , p P * # F f.");
    }
    void abgelehnt()
    {
        QFETCH(QByteArray, datei);
        Fenster h;
        h.dateien.names = {dateiAnlegen(h.sicherungsordner.filePath("k.kpk"), datei),
                           h.sicherungsordner.filePath("neu.kpk")};
        h.k.txt_PIN->setText("123");
        const Konfiguration gezeigt = h.k.angezeigteKonfiguration();
        h.klicken("cmd_KonfigAusDateiLaden");
        QVERIFY(h.k.angezeigteKonfiguration() == gezeigt);
        h.klicken("cmd_KonfigInDateiSpeichern");
        h.klicken("cmd_KonfigInAnlageSpeichern");
        const QString nicht = "Die Konfiguration wurde nicht %1, weil ein Wert nicht gültig ist.\r\n"
                              "PIN: \"123\" sind nicht 4 Ziffern.";
        QFETCH(QString, meldung);
        QCOMPARE(h.meldungen.texts(),
                 QStringList({meldung, nicht.arg("gespeichert"), nicht.arg("übertragen")}));
        for (const ShownMessage& m : h.meldungen.shown)
            QCOMPARE(m.icon, platform::Icon::Exclamation);
        QVERIFY(!QFile::exists(h.dateien.names.value(1)) && h.link.aufrufe.isEmpty());
    }

    // On the chosen printer in Courier New, 10 points, upright; the answering machine is never printed.
    void drucken()
    {
        Fenster h;
        h.klicken("cmd_KonfigDrucken");
        h.drucker.names = {"Laser"};
        h.drucker.setCurrent("Laser");
        h.drucker.bereit = false;
        h.klicken("cmd_KonfigDrucken");
        QCOMPARE(h.meldungen.texts(), QStringList(2, "Drucker Fehler"));
        QCOMPARE(h.meldungen.shown[1].icon, platform::Icon::Critical);
        h.drucker.bereit = true;
        h.klicken("cmd_KonfigDrucken");
        h.k.KonfigurationAnzeigen(std::get<Konfiguration>(
            KonfigurationAusDatei(gefüllt(), {.Anrufbeantworter = true, .Masterumleitungsnummer = {}})));
        h.klicken("cmd_KonfigDrucken");
        QList<platform::Druckdokument> erwartet;
        for (const char* name : {"werk.druck", "gefuellt.druck"})
            erwartet.append({"Laser", "Courier New", 10, QPageLayout::Portrait,
                             windows1252::dekodieren(testdatei(name)) + "\r\n"});
        QCOMPARE(h.drucker.gedruckt, erwartet);
        QCOMPARE(h.meldungen.shown.size(), 2);
    }

    // A user's way through a box: entered by Tab, which selects all, keys typed or text pasted, left by
    // Tab; or text dropped onto it. A digit typed counts as appended to the whole text, selected or not;
    // any other edit counts as the text it makes, cut to the box's length. The forwarding needs a number.
    void eingeben_data()
    {
        QTest::addColumn<QString>("feld");
        QTest::addColumn<QString>("vorher");
        QTest::addColumn<QString>("tasten");
        QTest::addColumn<QString>("getippt");
        QTest::addColumn<QString>("verlassen");
        QTest::addColumn<QStringList>("meldungen");
        QTest::addColumn<QString>("weg"); // "tippen", "einfügen", "ablegen"
        const auto zeile = [](const char* tag, QString feld, QString vorher, QString tasten, QString getippt,
                              QString verlassen, QStringList meldungen, QString weg = "tippen") {
            QTest::newRow(tag) << feld << vorher << tasten << getippt << verlassen << meldungen << weg;
        };
        const QString lokal = "txt_LokaleRufzeit", zeit = "txt_ExterneRufzeit", tür = "txt_Türgesprächszeit";
        const QString pin = "txt_PIN", nummer = "txt_Masterumleitungsnummer";
        const QString name = "txt_Bezeichnung", nummer1 = "txt_TelbuchEintragVariante1";
        const QString fremd = "Das Zeichen \"%1\" kann der Klingport nicht speichern.";
        zeile("121", zeit, "", "121", "", "030", {ZweiMinuten});
        zeile("120", zeit, "", "120", "120", "120", {});
        zeile("0 nach 13", tür, "13", "0", "", "060", {ZweiMinuten});
        zeile("vierte Ziffer", lokal, "", "0600", "060", "060", {});
        zeile("Wählzeichen in Zeit", zeit, "", "1p2", "12", "012", {NurZahlen});
        zeile("9 vor 30", zeit, "030", "⇤⇥9", "030", "030", {ZweiMinuten});
        zeile("99999 eingefügt", zeit, "030", "99999", "030", "030", {ZweiMinuten}, "einfügen");
        zeile("12ab abgelegt", pin, "", "12ab", "", "", {NurZahlen}, "ablegen");
        // A short PIN takes the focus back.
        zeile("Buchstabe leert PIN", pin, "", "51a", "", "",
              {NurZahlen, "Geben Sie eine 4-stellige Pin ein"});
        zeile("Eingabetaste und fünfte Ziffer der PIN", pin, "", "12\r345", "1234", "1234", {});
        zeile("Wählzeichen", nummer, "", "0,pP*#Ff9q\b", "0,pP*#Ff", "0,pP*#Ff", {NurZahlen});
        zeile("ersetzt und geleert", nummer, "030123", "9\b", "", "", {});
        zeile("Buchstabe eingefügt", nummer, "", "0301a", "", "", {NurZahlen}, "einfügen");
        // Texts the program set, as from the device.
        zeile("7", lokal, "7", "", "7", "007", {});
        zeile("4p", zeit, "4p", "", "4p", "030", {BeimVerlassen});
        zeile("über 120", zeit, "999", "", "999", "030", {ZweiMinuten});
        zeile("Nummer mit Buchstabe", nummer, "0301a", "", "0301a", "", {BeimVerlassen});
        zeile("PIN mit Buchstabe", pin, "12a4", "", "12a4", "5183", {BeimVerlassen}); // the factory one
        // The entry editor.
        zeile("langer Name", name, "", QString(27, 'n'), QString(20, 'n'), QString(20, 'n'), {}, "einfügen");
        zeile("zwei Zellen", name, "", "Müller\t0301234\r\n", "Müller 0301234", "Müller 0301234", {},
              "einfügen");
        zeile("ř", name, "Dvo", "Dvořák", "Dvo", "Dvo", {fremd.arg("ř")}, "einfügen");
        zeile("ÿ", name, "", "Mÿ", "M", "M", {fremd.arg("ÿ")});
        zeile("lange Nummer", nummer1, "", QString(30, '3'), QString(24, '3'), QString(24, '3'), {},
              "einfügen");
        zeile("Nummer abgelegt", nummer1, "0301", "12ab", "0301", "0301", {NurZahlen}, "ablegen");
        zeile("Enter in Nummer", nummer1, "", "0301\r", "0301", "0301", {});
    }
    void eingeben()
    {
        QFETCH(QString, feld);
        QFETCH(QString, vorher);
        QFETCH(QString, tasten);
        QFETCH(QString, weg);
        Fenster e;
        e.k.obu_Amtsanschluß->click(); // the local ring time takes input only on an exchange line
        QWidget* weiter = e.k.obu_Variante1;
        QLineEdit* box = e.control<QLineEdit>(feld);
        if (!box) {
            frm_Telbuch& editor = e.editor(1);
            box = editor.findChild<QLineEdit*>(feld);
            weiter = editor.cbo_Türstelle;
        }
        box->setText(vorher);
        if (!vorher.isEmpty() && box == e.k.txt_Masterumleitungsnummer)
            e.k.obu_sofort->click();
        if (weg == "ablegen") {
            ablegen(box, tasten);
        } else {
            box->setFocus(Qt::TabFocusReason);
            QApplication::clipboard()->setText(tasten);
            if (weg == "einfügen")
                QTest::keySequence(box, QKeySequence::Paste);
            else
                tippen(box, tasten);
        }
        QTEST(box->text(), "getippt");
        weiter->setFocus(Qt::TabFocusReason);
        QTEST(box->text(), "verlassen");
        QTEST(e.meldungen.texts(), "meldungen");
        for (const ShownMessage& m : e.meldungen.shown)
            QCOMPARE(m.icon, platform::Icon::Exclamation);
        QCOMPARE(QApplication::focusWidget() == box,
                 box == e.k.txt_PIN && box->text().size() != 4 && weg != "ablegen");
        const bool nummer = !e.k.txt_Masterumleitungsnummer->text().isEmpty();
        QVERIFY(e.k.obu_sofort->isEnabled() == nummer && (nummer || e.k.obu_aus->isChecked()));
    }
};

QTEST_MAIN(tst_Konfigurationstab)
#include "tst_konfigurationstab.moc"
