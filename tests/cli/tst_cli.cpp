// klingport-cli as a script runs it, against klingport-sim on a pseudo-terminal that the stored
// settings name as COM1: the files it writes are the window's, its stores keep every other byte and
// leave a backup, and each failure has its exit status.

#include "KonfigurationTab.h"
#include "Konfigurationsdatei.h"
#include "Sicherungen.h"
#include "SimGeraet.h"
#include "Telefonbuchdatei.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>

namespace {

struct Ergebnis {
    int status = -1;
    QString ausgabe;
    QString meldungen;
};

// A master number but no forwarding byte the program knows, so the files show what the window
// would make of it.
QByteArray geräteabbild()
{
    Konfiguration k;
    k.anschlussart = Anschlussart::Amtsanschluss;
    k.PIN = "2468";
    Telefonbuch buch;
    buch[0] = {"Hausmeister Groß", "0301111", "0302222", "1", "1", "gefangen", "00-11-22-33-44-55-66-77"};
    return musterabbild(k, buch);
}

// The simulated device, with the command line's settings and backups beside its image.
struct Gerät : SimGerät {
    explicit Gerät(const QStringList& optionen = {})
        : SimGerät(optionen + QStringList{"--verbose"}, geräteabbild())
    {
        dateiAnlegen(pfad("k.conf"), "[Settings]\nComport=\\x1\n[Ports]\nCOM1=" + leitung().toUtf8() + "\n");
    }
    Ergebnis cli(const QStringList& argumente)
    {
        QProcess p;
        p.start(KLINGPORT_CLI, argumente + QStringList{"--einstellungen", pfad("k.conf")});
        p.waitForFinished(30000);
        return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
                QString::fromLocal8Bit(p.readAllStandardError())};
    }
    QList<platform::Sicherung> sicherungen() const
    {
        return platform::Sicherungen(pfad("Sicherungen")).liste();
    }
};

} // namespace

class tst_Cli : public QObject {
    Q_OBJECT
private slots:
    // What "lesen" writes is what the window saves after loading the device; storing it back
    // leaves the device as it was, and each store leaves the image it read as a backup.
    void lesenSpeichernWiederherstellen()
    {
        Gerät g;
        const QStringList dateien = {"--kpk", g.pfad("a.kpk"), "--kpb", g.pfad("a.kpb")};
        QCOMPARE(
            g.cli(QStringList{"lesen", "--port", g.leitung(), "--abbild", g.pfad("a.bin")} + dateien).status,
            0);
        KonfigurationTab tab;
        tab.KonfigurationWerkseinstellungen();
        tab.KonfigurationParsAnzeigen(geräteabbild());
        QCOMPARE(dateiinhalt(g.pfad("a.kpk")), KonfigurationDateiinhalt(tab.angezeigteKonfiguration()));
        QCOMPARE(dateiinhalt(g.pfad("a.kpb")), TelefonbuchDateiinhalt(TelefonbuchAusAbbild(geräteabbild())));
        QCOMPARE(dateiinhalt(g.pfad("a.bin")), geräteabbild());
        QCOMPARE(g.cli(QStringList{"speichern"} + dateien).status, 0);
        QCOMPARE(g.abbild(), geräteabbild());

        // Only the phone book half changes.
        const QByteArray neuesBuch = testdatei("gefuellt.kpb");
        QCOMPARE(g.cli({"speichern", "--kpb", dateiAnlegen(g.pfad("neu.kpb"), neuesBuch)}).status, 0);
        const QByteArray mitBuch =
            TelefonbuchInAbbild(geräteabbild(), std::get<Telefonbuch>(TelefonbuchAusDatei(neuesBuch)));
        QCOMPARE(g.abbild(), mitBuch);
        QCOMPARE(g.cli({"sicherungen"}).ausgabe.count("\tAmtsanschluss\t1 Einträge\t"), 2);
        const QString erste = g.sicherungen()[0].datei;
        QCOMPARE(dateiinhalt(erste), geräteabbild());
        QCOMPARE(g.cli({"wiederherstellen", erste}).status, 0);
        QCOMPARE(g.abbild(), geräteabbild());
        QCOMPARE(dateiinhalt(g.sicherungen().value(2).datei), mitBuch);
    }

    void exitStatus_data()
    {
        QTest::addColumn<QStringList>("simulator");
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("meldung"); // how stdout and stderr begin
        const QStringList lesen = {"lesen", "--abbild", "x.bin"};
        const QString übertragungsfehler = "Auslesen wegen Übertragungsfehlern abgebrochen!";
        QTest::newRow("Version") << QStringList{} << QStringList{"version"} << 0
                                 << "Klingport V2.10 / Bustreiber PIC V1.07\n";
        QTest::newRow("Firmware") << QStringList{} << QStringList{"firmware", "f.tsk"} << 0
                                  << "Übertragung erfolgreich\nDas Klingport startet neu!";
        QTest::newRow("stumm") << QStringList{"--silent"} << QStringList{"version"} << 1
                               << "Auslesen wegen Timeout abgebrochen!";
        QTest::newRow("beschädigte Blöcke")
            << QStringList{"--corrupt-block", "5:20"} << lesen << 2 << übertragungsfehler;
        QTest::newRow("CAN") << QStringList{"--can", "block:3"} << lesen << 2 << übertragungsfehler;
        QTest::newRow("Speichern abgelehnt")
            << QStringList{"--nak-block", "3:20"} << QStringList{"wiederherstellen", "x.bin"} << 2
            << "Übertragung wegen Übertragungsfehlern abgebrochen!";
        QTest::newRow("Telefonbuch kaputt")
            << QStringList{} << QStringList{"speichern", "--kpb", "kaputt.kpb"} << 4
            << "Die Datei \"kaputt.kpb\" ist kein Klingport-Telefonbuch und wurde nicht geladen.\n"
               "Zeile 9: Die Zeile fehlt.";
        QTest::newRow("Datei fehlt") << QStringList{} << QStringList{"firmware", "fehlt.tsk"} << 4
                                     << "Der Pfad oder die Datei existiert nicht!";
        QTest::newRow("Abbild zu kurz")
            << QStringList{} << QStringList{"wiederherstellen", "kaputt.kpb"} << 4
            << "Die Datei \"kaputt.kpb\" ist kein Klingport-Abbild: Sie hat 22 statt "
               "6144 Bytes.";
        QTest::newRow("Sicherung nicht schreibbar")
            << QStringList{} << QStringList{"wiederherstellen", "x.bin"} << 4
            << "Die Sicherung des Klingport-Speichers konnte nicht in";
        QTest::newRow("unbekanntes Kommando")
            << QStringList{} << QStringList{"formatieren"} << 4 << "Unbekanntes Kommando \"formatieren\".";
        QTest::newRow("Türstation 0") << QStringList{} << QStringList{"ruftaste", "0", "1"} << 4
                                      << "Die Türstation ist 1 bis 9, der Telefonbucheintrag 1 bis 50.";
        QTest::newRow("kein Port") << QStringList{} << QStringList{"version", "--port", "/dev/gibt-es-nicht"}
                                   << 5 << "Der Port /dev/gibt-es-nicht kann nicht geöffnet werden.";
    }
    // A refused store sends nothing: the device keeps its image.
    void exitStatus()
    {
        QFETCH(QStringList, simulator);
        QFETCH(QStringList, argumente);
        QFETCH(int, status);
        QFETCH(QString, meldung);
        QTemporaryDir ablage;
        Gerät g(simulator + QStringList{"--firmware-dir", ablage.path()});
        // The call names its files as a user in that folder would, so the messages show the names.
        const QString vorher = QDir::currentPath();
        QDir::setCurrent(g.ordner.path());
        dateiAnlegen("x.bin", QByteArray(abbild::Größe, 'x'));
        dateiAnlegen("kaputt.kpb", "\r\n\r\nkein Telefonbuch\r\n");
        dateiAnlegen("f.tsk", QByteArray(1000, 'F'));
        if (QTest::currentDataTag() == QByteArray("Sicherung nicht schreibbar"))
            dateiAnlegen("Sicherungen", "eine Datei, wo der Ordner hingehört");
        const Ergebnis e = g.cli(argumente);
        QDir::setCurrent(vorher);
        QCOMPARE(e.status, status);
        QVERIFY2((e.ausgabe + e.meldungen).startsWith(meldung), qPrintable(e.ausgabe + e.meldungen));
        QCOMPARE(g.abbild(), geräteabbild());
        if (argumente[0] == "firmware" && status == 0)
            QCOMPARE(dateiinhalt(ablage.filePath("firmware-001.tsk")),
                     QByteArray(1000, 'F') + QByteArray(24, '\x1A'));
    }

    // Logging ends after its seconds and on SIGTERM alike, and the device is told to stop; a call
    // button's address comes out as the phone book shows it.
    void loggenUndRuftaste()
    {
        Gerät g({"--report-interval", "50"});
        const Ergebnis e = g.cli({"loggen", "--sekunden", "2", "--roh"});
        QCOMPARE(e.status, 0);
        QVERIFY(QRegularExpression(
                    R"(^\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d S: A2\tKlingport sendet: Reset des Systems$)",
                    QRegularExpression::MultilineOption)
                    .match(e.ausgabe)
                    .hasMatch());
        QVERIFY(e.ausgabe.count('\n') > 10);
        QTRY_VERIFY(g.sim->stderrText().trimmed().endsWith("logging off"));

        QProcess p;
        p.start(KLINGPORT_CLI, {"loggen", "--einstellungen", g.pfad("k.conf")});
        QByteArray ausgabe;
        while (!ausgabe.contains("Klingport") && p.waitForReadyRead(5000))
            ausgabe += p.readAllStandardOutput();
        p.terminate();
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 0);
        QTRY_VERIFY(g.sim->stderrText().trimmed().endsWith("logging off"));

        const Ergebnis ruf = g.cli({"ruftaste", "3", "12"});
        QCOMPARE(ruf.status, 0);
        QVERIFY(
            QRegularExpression(R"(^[0-9A-F]{2}(-[0-9A-F]{2}){4}-00-00-00\n$)").match(ruf.ausgabe).hasMatch());
    }

    // The newest 200 are kept, however many come within one second; other files stay.
    void sicherungenBehalten()
    {
        QTemporaryDir ordner;
        platform::Sicherungen s(ordner.path());
        dateiAnlegen(ordner.filePath("notiz.txt"), "bleibt");
        for (int i = 0; i < 203; ++i)
            s.sichern(QByteArray::number(i), QDateTime(QDate(2026, 12, 7), QTime(9, 5)));
        QCOMPARE(s.liste().size(), 200);
        QCOMPARE(dateiinhalt(s.liste().first().datei) + dateiinhalt(s.liste().last().datei), "3202");
        QVERIFY(QFile::exists(ordner.filePath("notiz.txt")));
    }
};

QTEST_MAIN(tst_Cli)
#include "tst_cli.moc"
