// klingport-cli as a script runs it, against klingport-sim on a pseudo-terminal that the stored
// settings name as COM1: the files it writes are the window's, its stores keep every other byte and
// leave a backup, and each failure has its exit status.

#include "KonfigurationTab.h"
#include "Konfigurationsdatei.h"
#include "SimGeraet.h"
#include "Telefonbuchdatei.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

namespace {

struct Ergebnis {
    int status = -1;
    QString ausgabe; // stdout, then stderr
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

// The simulated device, with the command line's settings and backups beside its image. The command
// line runs in that folder and names its files as a user there would.
struct Gerät : SimGerät {
    explicit Gerät(const QStringList& optionen = {})
        : SimGerät(optionen + QStringList{"--verbose"}, geräteabbild())
    {
        dateiAnlegen(pfad("k.conf"), "[Settings]\nComport=\\x1\n[Ports]\nCOM1=" + leitung().toUtf8() + "\n");
    }
    // With k.conf, unless the call names other settings after the command.
    Ergebnis cli(const QStringList& argumente)
    {
        QProcess p;
        p.setWorkingDirectory(ordner.path());
        p.start(KLINGPORT_CLI,
                QStringList{argumente.value(0), "--einstellungen", "k.conf"} + argumente.mid(1));
        p.waitForFinished(30000);
        return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError())};
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
        const QStringList dateien = {"--kpk", "a.kpk", "--kpb", "a.kpb"};
        const QStringList lesen = {"lesen", "--port", g.leitung(), "--abbild", "a.bin", "--csv", "a.csv"};
        QCOMPARE(g.cli(lesen + dateien).status, 0);
        KonfigurationTab tab;
        tab.KonfigurationWerkseinstellungen();
        tab.KonfigurationParsAnzeigen(geräteabbild());
        QCOMPARE(dateiinhalt(g.pfad("a.kpk")), KonfigurationDateiinhalt(tab.angezeigteKonfiguration()));
        QCOMPARE(dateiinhalt(g.pfad("a.kpb")), TelefonbuchDateiinhalt(TelefonbuchAusAbbild(geräteabbild())));
        QCOMPARE(dateiinhalt(g.pfad("a.bin")), geräteabbild());
        QCOMPARE(g.cli(QStringList{"speichern"} + dateien).status, 0);
        QCOMPARE(g.abbild(), geräteabbild());
        QCOMPARE(g.cli({"speichern", "--csv", "a.csv"}).status, 0);
        QCOMPARE(g.abbild(), geräteabbild());

        // Only the phone book half changes.
        const QByteArray neuesBuch = testdatei("gefuellt.kpb");
        QCOMPARE(g.cli({"speichern", "--kpb", dateiAnlegen(g.pfad("neu.kpb"), neuesBuch)}).status, 0);
        const QByteArray mitBuch =
            TelefonbuchInAbbild(geräteabbild(), std::get<Telefonbuch>(TelefonbuchAusDatei(neuesBuch)));
        QCOMPARE(g.abbild(), mitBuch);

        // The backups as listed, oldest first, with the dialog's words a column each; a script takes
        // the file from the last column, also where a file is no backup.
        dateiAnlegen(g.pfad("Sicherungen/2000-01-01_00-00-00.bin"), "kurz");
        const QStringList sicherungen = g.cli({"sicherungen"}).ausgabe.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(sicherungen.size(), 4);
        QCOMPARE(sicherungen[0],
                 "01.01.2000 00:00:00\tunlesbar\t\t\t\t./Sicherungen/2000-01-01_00-00-00.bin");
        QCOMPARE(sicherungen[1].section('\t', 1, 4), "Amt\t030 s\tkeine Masterumleitung\t1 Eintrag");
        const QString erste = sicherungen[1].section('\t', 5);
        QCOMPARE(dateiinhalt(g.pfad(erste)), geräteabbild());
        QCOMPARE(g.cli({"wiederherstellen", erste}).status, 0);
        QCOMPARE(g.abbild(), geräteabbild());
    }

    // A comparison prints what a store of the same file would change, a field a line, and so does a
    // dry store, which leaves device and backups; once stored, nothing differs.
    void vergleichen()
    {
        Gerät g;
        QCOMPARE(g.cli({"lesen", "--kpk", "a.kpk"}).status, 0);
        dateiAnlegen(g.pfad("b.kpk"), dateiinhalt(g.pfad("a.kpk")).replace("\t2468\r", "\t1357\r"));
        for (const QString aufruf : {"vergleichen --kpk b.kpk", "speichern --kpk b.kpk --trocken"}) {
            const Ergebnis e = g.cli(aufruf.split(' '));
            QCOMPARE(e.status, 6);
            QCOMPARE(e.ausgabe, "PIN\t2468\t1357\n");
        }
        QCOMPARE(g.abbild(), geräteabbild());
        QVERIFY(QDir(g.pfad("Sicherungen")).isEmpty());
        QCOMPARE(g.cli({"speichern", "--kpk", "b.kpk"}).status, 0);
        const Ergebnis gleich = g.cli({"vergleichen", "--kpk", "b.kpk"});
        QCOMPARE(gleich.status, 0);
        QCOMPARE(gleich.ausgabe, "");

        // Against a backup: a tab inside a value does not split its line.
        QByteArray sicherung = geräteabbild();
        sicherung[sicherung.indexOf("meister")] = '\t';
        const Ergebnis zurück =
            g.cli({"vergleichen", "--sicherung", dateiAnlegen(g.pfad("s.bin"), sicherung)});
        QCOMPARE(zurück.status, 6);
        QCOMPARE(zurück.ausgabe,
                 "PIN\t1357\t2468\nEintrag 1: Teilnehmer\tHausmeister Groß\tHaus eister Groß\n");
    }

    void exitStatus_data()
    {
        QTest::addColumn<QStringList>("simulator"); // its options
        QTest::addColumn<QString>("aufruf");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("meldung"); // how the output begins
        const auto antwort = [](const QByteArray& a) { return QStringList{"--call-answer", a.toHex()}; };
        const QStringList keine;
        const QString ruftaste = "ruftaste 3 12";
        const QString fehlerhaft = "Rufinformationen fehlerhaft!";
        const auto zeile = [](const char* tag, const QStringList& simulator, const QString& aufruf,
                              int status, const QString& meldung) {
            QTest::newRow(tag) << simulator << aufruf << status << meldung;
        };
        zeile("Version", keine, "version", 0, "Klingport V2.10 / Bustreiber PIC V1.07\n");
        // A NUL before the answer neither cuts the line nor vanishes.
        zeile("NUL", {"--garbage", "00"}, "version", 0, "␀Klingport V2.10 / Bustreiber PIC V1.07\n");
        // Left logging by a run that was killed: no report's tail on the line passes for the answer.
        zeile("nach Loggen", {"--logging", "--report-interval", "20"}, "version", 0,
              "Klingport V2.10 / Bustreiber PIC V1.07\n");
        zeile("stumm", {"--silent"}, "version", 1, "Auslesen wegen Timeout abgebrochen!");
        zeile("Speichern abgelehnt", {"--nak-block", "3:20"}, "wiederherstellen x.bin", 2,
              "Übertragung wegen Übertragungsfehlern abgebrochen!");
        // A call button's answer is 17 bytes with its CR LF, the groups separated by anything.
        zeile("Trenner", antwort("12:34;56/78|9A#\r\n"), ruftaste, 0, "12-34-56-78-9A-00-00-00\n");
        zeile("16 Zeichen", antwort("12 34 56 78 9A\r\n"), ruftaste, 2, fehlerhaft);
        zeile("18 Zeichen", antwort("12 34 56 78 9A  \r\n"), ruftaste, 2, fehlerhaft);
        zeile("ohne Trenner", antwort("123456789ABCDEF\r\n"), ruftaste, 2, fehlerhaft);
        zeile("nicht hexadezimal", antwort("12 34 5G 78 9A \r\n"), ruftaste, 2, fehlerhaft);
        zeile("klein", antwort("12 34 56 78 9a \r\n"), ruftaste, 2, fehlerhaft);
        zeile("Telefonbuch kaputt", keine, "speichern --kpb kaputt.kpb", 4,
              "Die Datei \"kaputt.kpb\" ist kein Klingport-Telefonbuch und wurde nicht geladen.\n"
              "Zeile 9: Die Zeile fehlt.");
        zeile("Tabelle kaputt", keine, "vergleichen --csv kaputt.csv", 4,
              "Die Datei \"kaputt.csv\" ist kein Klingport-Telefonbuch und wurde nicht geladen.\n"
              "Zeile 2, Spalte \"Türstation\": \"12\" ist keine Türstation von 0 bis 9.");
        zeile("Abbild zu kurz", keine, "wiederherstellen kaputt.kpb", 4,
              "Die Datei \"kaputt.kpb\" ist kein Klingport-Abbild: Sie hat 22 statt 6144 Bytes.");
        zeile("Vergleich ohne Datei", keine, "vergleichen", 4,
              "Vergleichen braucht --kpk, --kpb, --csv, --abbild oder --sicherung.");
        zeile("Firmware fehlt", keine, "firmware fehlt.tsk", 4, "Der Pfad oder die Datei existiert nicht!");
        zeile("Bustreiber fehlt", keine, "bustreiber fehlt.hex", 4,
              "Der Pfad oder die Datei existiert nicht!");
        zeile("Sicherung unmöglich", keine, "speichern --abbild x.bin --einstellungen voll/k.conf", 4,
              "Die Sicherung des Klingport-Speichers konnte nicht in \"voll/Sicherungen\" geschrieben "
              "werden.\nEs wurde nichts in den Klingport gespeichert.");
        zeile("Firmware leer", keine, "firmware leer.tsk", 4,
              "Die Datei \"leer.tsk\" ist leer und wurde nicht übertragen.");
        zeile("24 Tage", keine, "loggen --sekunden 2147484", 4, "--sekunden geht höchstens bis 2147483.");
        zeile("Kommando", keine, "formatieren", 4, "Unbekanntes Kommando \"formatieren\".");
        // Only on Windows does a number above COM6 name a port of its own.
        zeile("COM9", keine, "version --port COM9", 4, "Es gibt nur die Ports COM1 bis COM6.");
        zeile("kein Port", keine, "version --port /dev/gibt-es-nicht", 5,
              "Der Port /dev/gibt-es-nicht kann nicht geöffnet werden.");
    }
    // Files are checked before anything is sent: a refused store leaves the device's image.
    void exitStatus()
    {
        QFETCH(QStringList, simulator);
        QFETCH(QString, aufruf);
        QFETCH(QString, meldung);
        Gerät g(simulator);
        dateiAnlegen(g.pfad("x.bin"), QByteArray(abbild::Größe, 'x'));
        dateiAnlegen(g.pfad("kaputt.kpb"), "\r\n\r\nkein Telefonbuch\r\n");
        dateiAnlegen(g.pfad("kaputt.csv"), "Index;Türstation\n1;12\n");
        dateiAnlegen(g.pfad("leer.tsk"), "");
        // Settings whose backup folder can't be made: a file holds its name.
        QVERIFY(QDir(g.ordner.path()).mkdir("voll") && QFile::copy(g.pfad("k.conf"), g.pfad("voll/k.conf")));
        dateiAnlegen(g.pfad("voll/Sicherungen"), "");
        const Ergebnis e = g.cli(aufruf.split(' '));
        QTEST(e.status, "status");
        QVERIFY2(e.ausgabe.startsWith(meldung), qPrintable(e.ausgabe));
        QCOMPARE(g.abbild(), geräteabbild());
    }

    // The images arrive at the device byte for byte, padded to whole blocks, with the upload request
    // that what the device runs takes; the device's second ACK for the last block is not taken for the
    // store's, which comes a second later.
    void hochladen_data()
    {
        QTest::addColumn<QString>("kommando");
        QTest::addColumn<QString>("datei");
        QTest::addColumn<QString>("angekommen"); // as the simulator keeps it
        QTest::addColumn<QString>("stand");      // what the device runs
        const auto zeile = [](const char* tag, const char* kommando, const char* datei,
                              const char* angekommen, const char* stand) {
            QTest::newRow(tag) << QString(kommando) << QString(datei) << QString(angekommen)
                               << QString(stand);
        };
        zeile("Firmware", "firmware", "neu.tsk", "firmware-001.tsk", "complete");
        zeile("Firmware in den Bootlader", "firmware", "neu.tsk", "firmware-001.tsk", "bootloader");
        zeile("Bustreiber", "bustreiber", "neu.hex", "bustreiber-001.hex", "nobus");
    }
    void hochladen()
    {
        QFETCH(QString, kommando);
        QFETCH(QString, datei);
        QFETCH(QString, angekommen);
        QFETCH(QString, stand);
        QTemporaryDir eingang;
        Gerät g({"--firmware-dir", eingang.path(), "--version", stand, "--double-ack", "3", "--store-delay",
                 "1"});
        QByteArray bild(300, '\0');
        for (int i = 0; i < bild.size(); ++i)
            bild[i] = char(i * 7);
        dateiAnlegen(g.pfad(datei), bild);
        QCOMPARE(g.cli({kommando, datei}).status, 0);
        QCOMPARE(dateiinhalt(eingang.filePath(angekommen)), bild + QByteArray(84, '\x1a'));
        QTRY_VERIFY(g.sim->stderrText().contains("upload of 3 blocks done"));
        QVERIFY2(!g.sim->stderrText().contains("stray"), qPrintable(g.sim->stderrText()));
    }

    // Logging ends after its seconds and on SIGTERM alike, and the device is told to stop.
    void loggen()
    {
        Gerät g({"--report-interval", "50"});
        const Ergebnis e = g.cli({"loggen", "--sekunden", "2", "--roh"});
        QCOMPARE(e.status, 0);
        const QRegularExpression roh(
            R"(^\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d S: A2\tKlingport sendet: Reset des Systems$)",
            QRegularExpression::MultilineOption);
        QVERIFY(roh.match(e.ausgabe).hasMatch());
        QVERIFY(e.ausgabe.count('\n') > 10);
        QTRY_VERIFY(g.sim->stderrText().trimmed().endsWith("logging off"));

        QProcess p;
        p.start(KLINGPORT_CLI, {"loggen", "--einstellungen", g.pfad("k.conf")});
        QVERIFY(p.waitForReadyRead(5000)); // a report: logging is on
        const Ergebnis belegt = g.cli({"version", "--port", g.leitung()});
        QCOMPARE(belegt.status, 3);
        QCOMPARE(belegt.ausgabe,
                 "Der Port " + g.leitung() + " ist belegt: ein anderes Programm benutzt ihn.\n");
        p.terminate();
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 0);
        QTRY_VERIFY(g.sim->stderrText().trimmed().endsWith("logging off"));

        // A reader that goes ends it the same way.
        p.start("bash", {"-c", R"("$0" loggen --einstellungen "$1" | head -1; exit "${PIPESTATUS[0]}")",
                         KLINGPORT_CLI, g.pfad("k.conf")});
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(p.readAllStandardOutput().count('\n'), 1);
        QTRY_VERIFY(g.sim->stderrText().trimmed().endsWith("logging off"));

        // Output that can't be written is no success.
        QProcess voll;
        voll.setStandardOutputFile("/dev/full");
        voll.start(KLINGPORT_CLI, {"version", "--einstellungen", g.pfad("k.conf")});
        QVERIFY(voll.waitForFinished(5000));
        QCOMPARE(voll.exitCode(), 4);
    }
};

QTEST_MAIN(tst_Cli)
#include "tst_cli.moc"
