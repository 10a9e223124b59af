// The backups before every store: named by their time, a later store of the same second after the
// earlier ones, and only the newest 200 kept, whatever else lies in the folder.

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
        QCOMPARE(dateiinhalt(sicherungen.sichern("200", erste.addSecs(199))), "200");
        const QList<platform::Sicherung> liste = sicherungen.liste();
        QCOMPARE(liste.size(), 200);
        QCOMPARE(liste.first().zeitpunkt, erste.addSecs(1)); // the oldest went
        QCOMPARE(dateiinhalt(liste.first().datei), "1");
        QCOMPARE(liste.at(198).datei, zweite);
        QVERIFY(QFile::exists(ordner.filePath("notiz.txt")));
    }
};

QTEST_GUILESS_MAIN(tst_Sicherungen)
#include "tst_sicherungen.moc"
