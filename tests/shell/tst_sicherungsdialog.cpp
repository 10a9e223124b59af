// The backups dialog in the whole program against klingport-sim: the stores' backups listed newest
// first, one taken into the window, one put back into the device and shown, and what is refused.

#include "SicherungenModell.h"
#include "SimGeraet.h"
#include "Sitzung.h"
#include "frm_Sicherungen.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>

namespace {

struct Lauf : SimGerät, Sitzung {
    // The device holds the filled files of tests/daten: "Amt · 020 s · 0301234567 · 2 Einträge".
    explicit Lauf(const QStringList& sim = {}) : SimGerät(sim, gefülltesAbbild()), Sitzung(leitung()) {}

    // Two stores of the configuration, each with another master number: two backups, the device's
    // own image and the first store's.
    void zweimalSpeichern()
    {
        for (const char* nummer : {"0301111111", "0302222222"}) {
            konfiguration().txt_Masterumleitungsnummer->setText(nummer);
            klicken("cmd_KonfigInAnlageSpeichern");
        }
        QCOMPARE(sicherungen.liste().size(), 2);
    }
    // Opened by its menu, shown anew.
    frm_Sicherungen& öffnen()
    {
        fenster().findChild<QAction*>("men_Sicherungen")->trigger();
        return dialog();
    }
    frm_Sicherungen& dialog() { return *programm.sicherungen(); }
    // The rows as the list shows them, "time | summary".
    QStringList zeilen()
    {
        const QAbstractItemModel& m = *dialog().lst_Sicherungen->model();
        QStringList z;
        for (int r = 0; r < m.rowCount(); ++r)
            z.append(m.index(r, 0).data().toString() + " | " + m.index(r, 1).data().toString());
        return z;
    }
    void wählen(int reihe) { öffnen().lst_Sicherungen->selectRow(reihe); }
    QString status() { return fenster().statusBar()->currentMessage(); }
};

} // namespace

using namespace platform;

class tst_Sicherungsdialog : public QObject {
    Q_OBJECT
private slots:
    // Newest first, each by its time and what the device held; the main window waits meanwhile. The
    // older backup in the window, as a load would show it; the device is not touched. The newer put
    // back after a question by its time and summary with "Nein" as default, through the usual store:
    // the device's image before is a third backup, and the window shows the restored one. Not while
    // logging holds the line, and not when the answer is no.
    void listeLadenWiederherstellen()
    {
        Lauf s;
        QVERIFY(s.starten());
        s.zweimalSpeichern();
        const QList<Sicherung> gemacht = s.sicherungen.liste();
        const QByteArray vorher = s.abbild();
        // The newer backup against the window, then in it; no device asked.
        s.wählen(0);
        s.dialog().cmd_Vergleichen->click();
        QCOMPARE(s.vergleich(true), QStringList({"1 Unterschied", "Feld|In der Sicherung|Im Fenster",
                                                 "Masterumleitungsnummer|0301111111|0302222222"}));
        QCOMPARE(s.konfiguration().txt_Masterumleitungsnummer->text(), "0301111111");
        s.öffnen();
        QCOMPARE(
            s.zeilen(),
            QStringList({Zeitstempel(gemacht[1].zeitpunkt) + " | Amt · 020 s · 0301111111 · 2 Einträge",
                         Zeitstempel(gemacht[0].zeitpunkt) + " | Amt · 020 s · 0301234567 · 2 Einträge"}));
        QVERIFY(s.dialog().isVisible() && !s.fenster().isEnabled());
        QStringList menü;
        for (const QAction* a : s.fenster().menuBar()->actions())
            menü.append(a->text());
        QCOMPARE(menü, QStringList({"&Einstellungen", "&Sicherungen", "&Vergleichen", "&Info"}));
        s.dialog().cmd_Schließen->click();
        QVERIFY(!s.dialog().isVisible() && s.fenster().isEnabled());

        s.wählen(1);
        s.dialog().cmd_InsFensterLaden->click();
        QCOMPARE(s.konfiguration().txt_Masterumleitungsnummer->text(), "0301234567");
        QVERIFY(s.telefonbuch().telefonbuch() == TelefonbuchAusAbbild(gefülltesAbbild()));
        QCOMPARE(s.status(), "Angezeigt: die Sicherung vom " + Zeitstempel(gemacht[0].zeitpunkt));
        QVERIFY(!s.dialog().isVisible() && s.fenster().isEnabled());

        const QString zeit = Zeitstempel(gemacht[1].zeitpunkt);
        const QString frage = "Soll der Klingport-Speicher durch die Sicherung vom " + zeit +
                              " (Amt · 020 s · 0301111111 · 2 Einträge) ersetzt werden?";
        s.klicken("cmd_StartLog");
        s.wählen(0);
        s.meldungen.shown.clear();
        s.dialog().cmd_Wiederherstellen->click();
        QCOMPARE(s.meldungen.texts(),
                 QStringList({frage, "Andere Programmteile greifen gerade\r\nauf die "
                                     "Schnittstelle zu. \r\nBeenden Sie ggf. die Logfunktion."}));
        s.dialog().cmd_Schließen->click();
        s.klicken("cmd_StartLog");
        s.telefonbuch().leeren();
        s.wählen(0);
        s.meldungen.replies = {Reply::No};
        s.dialog().cmd_Wiederherstellen->click();
        s.meldungen.shown.clear();
        s.dialog().cmd_Wiederherstellen->click();
        QCOMPARE(s.meldungen.texts(), QStringList({frage, "Übertragung erfolgreich!"}));
        const ShownMessage& f = s.meldungen.shown[0];
        QVERIFY(f.icon == Icon::Critical && f.buttons == Buttons::YesNo && f.standard == Default::Second);
        QCOMPARE(s.abbild(), dateiinhalt(gemacht[1].datei));
        QVERIFY(s.log().endsWith(" Sicherung erfolgreich übertragen\r\n"));
        // The one new backup holds what the device held throughout: nothing before changed it.
        const QList<Sicherung> danach = s.sicherungen.liste();
        QCOMPARE(danach.size(), 3);
        QCOMPARE(dateiinhalt(danach[2].datei), vorher);
        QCOMPARE(s.zeilen().size(), 3);
        QCOMPARE(s.konfiguration().txt_Masterumleitungsnummer->text(), "0301111111");
        QVERIFY(s.telefonbuch().telefonbuch() == TelefonbuchAusAbbild(gefülltesAbbild()));
        QCOMPARE(s.status(), "Wiederhergestellt: die Sicherung vom " + zeit);
    }

    // Files of the wrong size are listed as such and refused both ways; nothing reaches the device.
    // A restore that the device does not take leaves the window as it was.
    void unlesbar()
    {
        Lauf s({"--nak-block", "3:20"});
        QVERIFY(s.starten());
        const QDir ordner(s.sicherungen.ordner());
        dateiAnlegen(ordner.filePath("2026-01-01_00-00-00.bin"), musterabbild({}, {}));
        const QString kurz =
            dateiAnlegen(ordner.filePath("2026-01-02_03-04-05.bin"), gefülltesAbbild().left(100));
        dateiAnlegen(ordner.filePath("2026-01-03_00-00-00.bin"), gefülltesAbbild() + "x");
        s.wählen(1);
        QCOMPARE(
            s.zeilen(),
            QStringList({"03.01.2026 00:00:00 | unlesbar", "02.01.2026 03:04:05 | unlesbar",
                         "01.01.2026 00:00:00 | Nebenstelle · 030 s · keine Masterumleitung · 0 Einträge"}));
        const QModelIndex zusammenfassung = s.dialog().lst_Sicherungen->model()->index(2, 1);
        QCOMPARE(zusammenfassung.data(Qt::AccessibleTextRole), zusammenfassung.data());
        const QString meldung = "Die Sicherung vom 02.01.2026 03:04:05 ist unlesbar: \"" +
                                QDir::toNativeSeparators(kurz) +
                                "\" enthält kein Abbild des Klingport-Speichers von 6144 Bytes.";
        s.meldungen.shown.clear();
        s.dialog().cmd_InsFensterLaden->click();
        s.dialog().cmd_Wiederherstellen->click();
        QCOMPARE(s.meldungen.texts(), QStringList({meldung, meldung}));
        QCOMPARE(s.meldungen.shown[0].icon, Icon::Critical);
        QCOMPARE(s.abbild(), gefülltesAbbild());
        QCOMPARE(s.sicherungen.liste().size(), 3);
        QVERIFY(s.dialog().isVisible());

        s.dialog().cmd_OrdnerÖffnen->click();
        QCOMPARE(s.dateimanager.shown, QStringList{s.sicherungen.ordner()});

        s.dialog().cmd_Schließen->click();
        s.konfiguration().txt_Masterumleitungsnummer->setText("0309999999");
        const QString status = s.status();
        s.wählen(2);
        s.dialog().cmd_Wiederherstellen->click();
        QCOMPARE(s.meldungen.texts().last(), "Übertragung wegen Übertragungsfehlern abgebrochen!");
        QCOMPARE(s.abbild(), gefülltesAbbild());
        QCOMPARE(s.konfiguration().txt_Masterumleitungsnummer->text(), "0309999999");
        QCOMPARE(s.status(), status);
    }
};

QTEST_MAIN(tst_Sicherungsdialog)
#include "tst_sicherungsdialog.moc"
