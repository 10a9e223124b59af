// The backups before every store: named by their time, a later store of the same second after the
// earlier ones and never in place of what is there, and only the newest 200 kept, whatever else lies
// in the folder; listed newest first by what the device held.

#include "Musterabbild.h"
#include "Sicherungen.h"
#include "SicherungenModell.h"
#include "Testdaten.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class tst_Sicherungen : public QObject {
    Q_OBJECT
private slots:
    void behalten()
    {
        QTemporaryDir ordner;
        dateiAnlegen(ordner.filePath("notiz.txt"), "keine Sicherung");
        const QDateTime erste(QDate(2026, 12, 7), QTime(9, 0));
        for (int i = 0; i < 199; ++i) // as earlier stores left them, one a second
            dateiAnlegen(ordner.filePath(erste.addSecs(i).toString("yyyy-MM-dd_HH-mm-ss") + ".bin"),
                         QByteArray::number(i));
        platform::Sicherungen sicherungen(ordner.path());
        const QString zweite = sicherungen.sichern("199", erste.addSecs(198));
        QCOMPARE(QFileInfo(zweite).fileName(), "2026-12-07_09-03-18_2.bin");
        QCOMPARE(sicherungen.liste().size(), 200);
        // The next second's name held by an entry the listing skips, as by another process's backup
        // on its way in: it stays, and the store takes the next number. A link to nowhere would be
        // written through by a store that opens its file without insisting on a new one.
#ifdef Q_OS_WIN
        QVERIFY(QDir(ordner.path()).mkdir("2026-12-07_09-03-19.bin"));
#else
        QVERIFY(QFile::link("nirgends", ordner.filePath("2026-12-07_09-03-19.bin")));
#endif
        QCOMPARE(QFileInfo(sicherungen.sichern("200", erste.addSecs(199))).fileName(),
                 "2026-12-07_09-03-19_2.bin");
        const QList<platform::Sicherung> liste = sicherungen.liste();
        QCOMPARE(liste.size(), 200);
        QCOMPARE(dateiinhalt(liste.last().datei), "200");
        QCOMPARE(liste.first().zeitpunkt, erste.addSecs(1)); // the oldest went
        QCOMPARE(dateiinhalt(liste.first().datei), "1");
        QCOMPARE(liste.at(198).datei, zweite);
        QVERIFY(QFile::exists(ordner.filePath("notiz.txt")));
    }

    void liste()
    {
        QTemporaryDir ordner;
        Konfiguration amt;
        amt.anschlussart = Anschlussart::Amtsanschluss;
        amt.LokaleRufzeit = "020";
        amt.Masterumleitungsnummer = "0301234567";
        Telefonbuch einer;
        einer[7].Teilnehmer = "Müller";
        const QByteArray ganz = musterabbild({}, {});
        const std::pair<const char*, QByteArray> dateien[] = {
            {"2026-12-01_08-00-00.bin", ganz},
            {"2026-12-02_08-00-00.bin", musterabbild(amt, einer)},
            {"2026-12-03_08-00-00.bin", ganz.left(6143)},
            {"2026-12-04_08-00-00.bin", ganz + "x"}};
        for (const auto& [name, inhalt] : dateien)
            dateiAnlegen(ordner.filePath(name), inhalt);
        SicherungenModell modell;
        modell.laden(platform::Sicherungen(ordner.path()));
        QStringList zeilen;
        for (int r = 0; r < modell.rowCount(); ++r)
            zeilen.append(modell.index(r, 0).data().toString() + " | " +
                          modell.index(r, 1).data().toString());
        QCOMPARE(
            zeilen,
            QStringList({"04.12.2026 08:00:00 | unlesbar", "03.12.2026 08:00:00 | unlesbar",
                         "02.12.2026 08:00:00 | Amt · 020 s · 0301234567 · 1 Eintrag",
                         "01.12.2026 08:00:00 | Nebenstelle · 030 s · keine Masterumleitung · 0 Einträge"}));
        QCOMPARE(modell.index(2, 1).data(Qt::AccessibleTextRole), modell.index(2, 1).data());
    }
};

QTEST_GUILESS_MAIN(tst_Sicherungen)
#include "tst_sicherungen.moc"
