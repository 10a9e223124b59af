// The backups before every store: named by their time, a later store of the same second after the
// earlier ones and never in place of what is there, and only the newest 200 kept, whatever else lies
// in the folder. How the dialog lists them: tst_sicherungsdialog.

#include "Sicherungen.h"
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
        // A clock set back: the new backup sorts oldest and stays; the oldest of the others goes.
        QCOMPARE(dateiinhalt(sicherungen.sichern("früh", erste.addSecs(-3600))), "früh");
        QCOMPARE(sicherungen.liste().size(), 200);
        QCOMPARE(sicherungen.liste().at(1).zeitpunkt, erste.addSecs(2));
    }
};

QTEST_GUILESS_MAIN(tst_Sicherungen)
#include "tst_sicherungen.moc"
