// The backups dialog in the whole program against klingport-sim: the stores' backups listed newest
// first, one taken into the window, one put back into the device, and a file that is no backup.

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
    Lauf() : SimGerät({}, gefülltesAbbild()), Sitzung(leitung()) {}

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
};

} // namespace

class tst_Sicherungsdialog : public QObject {
    Q_OBJECT
private slots:
    // Newest first, each by its time and what the device held; the main window waits meanwhile.
    void liste()
    {
        Lauf s;
        QVERIFY(s.starten());
        s.zweimalSpeichern();
        const QList<platform::Sicherung> gemacht = s.sicherungen.liste();
        s.öffnen();
        QCOMPARE(s.zeilen(), QStringList({platform::Zeitstempel(gemacht[1].zeitpunkt) +
                                              " | Amt · 020 s · 0301111111 · 2 Einträge",
                                          platform::Zeitstempel(gemacht[0].zeitpunkt) +
                                              " | Amt · 020 s · 0301234567 · 2 Einträge"}));
        QVERIFY(s.dialog().isVisible());
        QVERIFY(!s.fenster().isEnabled());
        QStringList menü;
        for (const QAction* a : s.fenster().menuBar()->actions())
            menü.append(a->text());
        QCOMPARE(menü, QStringList({"&Einstellungen", "&Sicherungen", "&Info"}));
        s.dialog().cmd_Schließen->click();
        QVERIFY(!s.dialog().isVisible());
        QVERIFY(s.fenster().isEnabled());
    }

    // The older backup in the window, as a load would show it; the device is not touched.
    void insFensterLaden()
    {
        Lauf s;
        QVERIFY(s.starten());
        s.zweimalSpeichern();
        const QByteArray imGerät = s.abbild();
        s.wählen(1);
        s.dialog().cmd_InsFensterLaden->click();
        QCOMPARE(s.konfiguration().txt_Masterumleitungsnummer->text(), "0301234567");
        QVERIFY(s.telefonbuch().telefonbuch() == TelefonbuchAusAbbild(gefülltesAbbild()));
        QCOMPARE(s.fenster().statusBar()->currentMessage(),
                 "Angezeigt: die Sicherung vom " + platform::Zeitstempel(s.sicherungen.liste()[0].zeitpunkt));
        QVERIFY(!s.dialog().isVisible());
        QVERIFY(s.fenster().isEnabled());
        QCOMPARE(s.abbild(), imGerät);
        QCOMPARE(s.sicherungen.liste().size(), 2);
    }

    // Asked first, by the backup's time and summary with "Nein" as default, then stored as every
    // store is: the device's image before is a third backup.
    void wiederherstellen()
    {
        Lauf s;
        QVERIFY(s.starten());
        s.zweimalSpeichern();
        const QByteArray vorher = s.abbild();
        const QString frage = "Soll der Klingport-Speicher durch die Sicherung vom " +
                              platform::Zeitstempel(s.sicherungen.liste()[0].zeitpunkt) +
                              " (Amt · 020 s · 0301234567 · 2 Einträge) ersetzt werden?";
        // Not while logging holds the line, and not when the answer is no.
        s.klicken("cmd_StartLog");
        s.wählen(1);
        s.meldungen.shown.clear();
        s.dialog().cmd_Wiederherstellen->click();
        QCOMPARE(s.meldungen.texts(),
                 QStringList({frage, "Andere Programmteile greifen gerade\r\nauf die "
                                     "Schnittstelle zu. \r\nBeenden Sie ggf. die Logfunktion."}));
        s.dialog().cmd_Schließen->click();
        s.klicken("cmd_StartLog");
        s.wählen(1);
        s.meldungen.replies = {platform::Reply::No};
        s.dialog().cmd_Wiederherstellen->click();
        QCOMPARE(s.abbild(), vorher);
        QCOMPARE(s.sicherungen.liste().size(), 2);
        s.meldungen.shown.clear();
        s.dialog().cmd_Wiederherstellen->click();
        QCOMPARE(s.meldungen.texts(), QStringList({frage, "Übertragung erfolgreich!"}));
        QCOMPARE(s.meldungen.shown[0].icon, platform::Icon::Critical);
        QCOMPARE(s.meldungen.shown[0].buttons, platform::Buttons::YesNo);
        QCOMPARE(s.meldungen.shown[0].standard, platform::Default::Second);
        QCOMPARE(s.abbild(), gefülltesAbbild());
        QVERIFY(s.log().endsWith(" Sicherung erfolgreich übertragen\r\n"));
        const QList<platform::Sicherung> danach = s.sicherungen.liste();
        QCOMPARE(danach.size(), 3);
        QCOMPARE(dateiinhalt(danach[2].datei), vorher);
        QCOMPARE(s.zeilen().size(), 3);
    }

    // A file of the wrong size is listed as such and refused both ways; nothing reaches the device.
    void unlesbar()
    {
        Lauf s;
        QVERIFY(s.starten());
        const QString kurz = dateiAnlegen(QDir(s.sicherungen.ordner()).filePath("2026-01-02_03-04-05.bin"),
                                          gefülltesAbbild().left(100));
        s.öffnen();
        QCOMPARE(s.zeilen(), QStringList{"02.01.2026 03:04:05 | unlesbar"});
        const QString meldung = "Die Sicherung vom 02.01.2026 03:04:05 ist unlesbar: \"" +
                                QDir::toNativeSeparators(kurz) +
                                "\" enthält kein Abbild des Klingport-Speichers von 6144 Bytes.";
        s.meldungen.shown.clear();
        s.dialog().cmd_InsFensterLaden->click();
        s.dialog().cmd_Wiederherstellen->click();
        QCOMPARE(s.meldungen.texts(), QStringList({meldung, meldung}));
        QCOMPARE(s.meldungen.shown[0].icon, platform::Icon::Critical);
        QCOMPARE(s.abbild(), gefülltesAbbild());
        QCOMPARE(s.sicherungen.liste().size(), 1);
        QVERIFY(s.dialog().isVisible());

        s.dialog().cmd_OrdnerÖffnen->click();
        QCOMPARE(s.dateimanager.shown, QStringList{s.sicherungen.ordner()});
    }
};

QTEST_MAIN(tst_Sicherungsdialog)
#include "tst_sicherungsdialog.moc"
