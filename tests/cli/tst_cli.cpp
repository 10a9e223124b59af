// klingport-cli as a script runs it, against klingport-sim on a pseudo-terminal: the files it writes
// are the window's, its stores keep every other byte and leave a backup, and each failure has its
// exit status.

#include "Geraeteabbild.h"
#include "KonfigurationTab.h"
#include "Konfigurationsbereich.h"
#include "Konfigurationsdatei.h"
#include "Sicherungen.h"
#include "SimProcess.h"
#include "Telefonbuchbereich.h"
#include "Telefonbuchdatei.h"
#include "Testdaten.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Ergebnis {
    int status = -1;
    QString ausgabe;
    QString meldungen;
};

// A device image whose bytes the program does not interpret are set, with a master number but no
// forwarding byte the program knows, so the files show what the window would make of it.
QByteArray geräteabbild()
{
    QByteArray abbild(abbild::Größe, '\0');
    for (int i = 0; i < abbild.size(); ++i)
        abbild[i] = static_cast<char>(i * 7 + 3);
    Konfiguration k;
    k.anschlussart = Anschlussart::Amtsanschluss;
    k.PIN = "2468";
    Telefonbuch buch;
    buch[0] = {"Hausmeister Groß", "0301111", "0302222", "1", "1", "gefangen", "00-11-22-33-44-55-66-77"};
    return TelefonbuchInAbbild(KonfigurationInAbbild(abbild, k), buch);
}

QByteArray inhalt(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

// One simulated device with its image in a file, and the settings and backups of the command line
// beside it.
struct Gerät {
    QTemporaryDir ordner;
    QString bild = ordner.filePath("klingport.img");
    std::unique_ptr<SimProcess> sim;

    explicit Gerät(QStringList optionen = {}, const QByteArray& abbild = geräteabbild())
    {
        dateiAnlegen(bild, abbild);
        sim = std::make_unique<SimProcess>(
            optionen + QStringList{"--image", bild, "--baud", "0", "--verbose"}, true);
    }
    QString pfad(const QString& name) const { return ordner.filePath(name); }
    QByteArray abbild() const { return inhalt(bild); }

    Ergebnis cli(const QStringList& argumente, int wartezeit = 30000)
    {
        QProcess p;
        // The command first, then the device's options, which the call's own may override.
        QStringList alle = {argumente.value(0), "--einstellungen", pfad("k.conf")};
        if (argumente.value(0) != "sicherungen")
            alle += {"--port", sim->ptyPath()};
        p.start(KLINGPORT_CLI, alle + argumente.mid(1));
        p.waitForFinished(wartezeit);
        return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
                QString::fromLocal8Bit(p.readAllStandardError())};
    }
    platform::Sicherungen sicherungen() const { return platform::Sicherungen(pfad("Sicherungen")); }
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
        QVERIFY(!g.sim->ptyPath().isEmpty());
        const Ergebnis lesen =
            g.cli({"lesen", "--kpk", g.pfad("a.kpk"), "--kpb", g.pfad("a.kpb"), "--abbild", g.pfad("a.bin")});
        QCOMPARE(lesen.status, 0);
        KonfigurationTab tab;
        tab.KonfigurationWerkseinstellungen();
        tab.KonfigurationParsAnzeigen(geräteabbild());
        QCOMPARE(inhalt(g.pfad("a.kpk")), KonfigurationDateiinhalt(tab.angezeigteKonfiguration()));
        QCOMPARE(inhalt(g.pfad("a.kpb")), TelefonbuchDateiinhalt(TelefonbuchAusAbbild(geräteabbild())));
        QCOMPARE(inhalt(g.pfad("a.bin")), geräteabbild());

        QCOMPARE(g.cli({"speichern", "--kpk", g.pfad("a.kpk"), "--kpb", g.pfad("a.kpb")}).status, 0);
        QCOMPARE(g.abbild(), geräteabbild());

        // Only the phone book half changes.
        const QByteArray neuesBuch = testdatei("gefuellt.kpb");
        QCOMPARE(g.cli({"speichern", "--kpb", dateiAnlegen(g.pfad("neu.kpb"), neuesBuch)}).status, 0);
        const QByteArray mitBuch =
            TelefonbuchInAbbild(geräteabbild(), std::get<Telefonbuch>(TelefonbuchAusDatei(neuesBuch)));
        QCOMPARE(g.abbild(), mitBuch);

        QList<platform::Sicherung> sicherungen = g.sicherungen().liste();
        QCOMPARE(sicherungen.size(), 2);
        QCOMPARE(inhalt(sicherungen[0].datei), geräteabbild());
        QCOMPARE(inhalt(sicherungen[1].datei), geräteabbild());
        const Ergebnis liste = g.cli({"sicherungen"});
        QCOMPARE(liste.ausgabe.count("\tAmtsanschluss\t1 Einträge\t"), 2);

        QCOMPARE(g.cli({"wiederherstellen", sicherungen[0].datei}).status, 0);
        QCOMPARE(g.abbild(), geräteabbild());
        sicherungen = g.sicherungen().liste();
        QCOMPARE(sicherungen.size(), 3);
        QCOMPARE(inhalt(sicherungen[2].datei), mitBuch);
    }

    void exitStatus_data()
    {
        QTest::addColumn<QStringList>("simulator");
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("meldung");
        const QStringList lesen = {"lesen", "--abbild", "x.bin"};
        QTest::newRow("stumm") << QStringList{"--silent"} << QStringList{"version"} << 1
                               << "Auslesen wegen Timeout abgebrochen!";
        QTest::newRow("beschädigte Blöcke") << QStringList{"--corrupt-block", "5:20"} << lesen << 2
                                            << "Auslesen wegen Übertragungsfehlern abgebrochen!";
        QTest::newRow("CAN") << QStringList{"--can", "block:3"} << lesen << 2
                             << "Auslesen wegen Übertragungsfehlern abgebrochen!";
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
        Gerät g(simulator);
        // The call names its files as a user in that folder would, so the messages show the names.
        const QString vorher = QDir::currentPath();
        QDir::setCurrent(g.ordner.path());
        dateiAnlegen(g.pfad("x.bin"), QByteArray(abbild::Größe, 'x'));
        dateiAnlegen(g.pfad("kaputt.kpb"), "\r\n\r\nkein Telefonbuch\r\n");
        if (QTest::currentDataTag() == QByteArray("Sicherung nicht schreibbar"))
            dateiAnlegen(g.pfad("Sicherungen"), "eine Datei, wo der Ordner hingehört");
        const Ergebnis e = g.cli(argumente);
        QCOMPARE(e.status, status);
        QVERIFY2(e.meldungen.startsWith(meldung), qPrintable(e.meldungen));
        QCOMPARE(g.abbild(), geräteabbild());
        QDir::setCurrent(vorher);
    }

    // Logging ends after its seconds and on SIGTERM alike, and the device is told to stop.
    void loggen()
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
        p.start(KLINGPORT_CLI, {"loggen", "--port", g.sim->ptyPath(), "--einstellungen", g.pfad("k.conf")});
        QByteArray ausgabe;
        while (!ausgabe.contains("Klingport") && p.waitForReadyRead(5000))
            ausgabe += p.readAllStandardOutput();
        QVERIFY(ausgabe.contains("Klingport"));
        p.terminate();
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 0);
        QTRY_VERIFY(g.sim->stderrText().trimmed().endsWith("logging off"));
    }

    void ruftasteUndFirmware()
    {
        QTemporaryDir firmware;
        Gerät g({"--firmware-dir", firmware.path()});
        const Ergebnis ruf = g.cli({"ruftaste", "3", "12"});
        QCOMPARE(ruf.status, 0);
        QVERIFY(
            QRegularExpression(R"(^[0-9A-F]{2}(-[0-9A-F]{2}){4}-00-00-00\n$)").match(ruf.ausgabe).hasMatch());
        // Without --port, the port the program stored; COM1 stands for the simulator's line.
        dateiAnlegen(g.pfad("k.conf"),
                     "[Settings]\nComport=\\x1\n\n[Ports]\nCOM1=" + g.sim->ptyPath().toUtf8() + "\n");
        QProcess version;
        version.start(KLINGPORT_CLI, {"version", "--einstellungen", g.pfad("k.conf")});
        QVERIFY(version.waitForFinished(10000));
        QCOMPARE(version.exitCode(), 0);
        QCOMPARE(version.readAllStandardOutput(), "Klingport V2.10 / Bustreiber PIC V1.07\n");
        QCOMPARE(g.cli({"firmware", dateiAnlegen(g.pfad("neu.tsk"), QByteArray(1000, 'F'))}).status, 0);
        QTRY_VERIFY(g.sim->stderrText().contains("firmware of 1024 bytes stored"));
    }

    // The newest 200 are kept, however many come within one second; other files stay.
    void sicherungenBehalten()
    {
        QTemporaryDir ordner;
        platform::Sicherungen s(ordner.path());
        dateiAnlegen(ordner.filePath("notiz.txt"), "bleibt");
        const QDateTime jetzt(QDate(2026, 12, 7), QTime(9, 5));
        for (int i = 0; i < 203; ++i)
            QVERIFY(!s.sichern(QByteArray::number(i), jetzt).isEmpty());
        const QList<platform::Sicherung> liste = s.liste();
        QCOMPARE(liste.size(), 200);
        QCOMPARE(inhalt(liste.first().datei), "3");
        QCOMPARE(inhalt(liste.last().datei), "202");
        QVERIFY(QFile::exists(ordner.filePath("notiz.txt")));
    }
};

QTEST_MAIN(tst_Cli)
#include "tst_cli.moc"
