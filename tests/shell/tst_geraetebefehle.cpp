// The log, firmware and call-button commands of the whole program against klingport-sim on a
// pseudo-terminal: logging with decoded reports and the busy link, a flood of reports, uploads,
// and call-button answers of every shape.

#include "FirmwareTab.h"
#include "Klingport.h"
#include "LoggenBefehle.h"
#include "SimProcess.h"
#include "Sitzung.h"
#include "Telegramm.h"
#include "frm_Kommunikation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>

namespace {

const QString Belegt = "Andere Programmteile greifen gerade\r\nauf die Schnittstelle zu. \r\n"
                       "Beenden Sie ggf. die Logfunktion.";

QByteArray muster(int größe)
{
    QByteArray bytes(größe, '\0');
    for (int i = 0; i < größe; ++i)
        bytes[i] = static_cast<char>(i * 31 + 7);
    return bytes;
}

QString schreiben(const QTemporaryDir& ordner, const QString& name, const QByteArray& inhalt)
{
    QFile datei(ordner.filePath(name));
    return datei.open(QIODevice::WriteOnly) && datei.write(inhalt) == inhalt.size() ? datei.fileName()
                                                                                    : QString();
}

QByteArray lesen(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

// The decoded reports in the log, each without its time stamp.
QStringList berichte(const QString& log)
{
    QStringList texte;
    for (const QString& zeile : log.split("\r\n", Qt::SkipEmptyParts))
        if (zeile.mid(20).startsWith("Klingport "))
            texte.append(zeile.mid(20));
    return texte;
}

// Whether `texte` are the simulator's built-in reports in their order, from the first on.
bool inReihenfolge(const QStringList& texte)
{
    const QList<QByteArray> eingebaut = device::Klingport::builtInReports();
    for (int i = 0; i < texte.size(); ++i)
        if (texte[i] != BerichtDekodieren(eingebaut[i % eingebaut.size()]))
            return false;
    return true;
}

} // namespace

class tst_Geraetebefehle : public QObject {
    Q_OBJECT
private slots:
    void loggingRefusesEveryOtherCommand()
    {
        QTemporaryDir ordner;
        SimProcess sim({"--baud", "0", "--report-interval", "20"});
        Sitzung s(sim.ptyPath());
        QVERIFY(s.starten());
        s.meldungen.shown.clear();
        s.dateien.names = {schreiben(ordner, "k.tsk", "fw"), schreiben(ordner, "b.hex", "bus")};
        s.klicken("cmd_FirmwaredateiÄndern");
        s.klicken("cmd_BustreiberdateiÄndern");
        s.telefonbuch().setEintrag(1, {"", "", "", "0", "1", "frei", "00-00-00-00-00-00-00-00"});

        s.klicken("cmd_StartLog");
        QTRY_VERIFY(berichte(s.log()).size() >= 10);
        const QStringList andere = {"cmd_KonfigAusAnlageLaden",
                                    "cmd_KonfigInAnlageSpeichern",
                                    "cmd_TelbuchAusAnlageLaden",
                                    "cmd_TelbuchInAnlageSpeichern",
                                    "cmd_FirmwareAuslesen",
                                    "Cmd_RufInformationAbholen",
                                    "cmd_Update",
                                    "cmd_Bustreiberupdate"};
        for (const QString& name : andere)
            s.klicken(qPrintable(name));
        QCOMPARE(s.meldungen.texts(), QStringList(andere.size(), Belegt));
        QCOMPARE(s.programm.kommunikation()->kommunikationsModus(), 1);
        const qsizetype bisher = berichte(s.log()).size();
        QTRY_VERIFY(berichte(s.log()).size() > bisher); // logging went on

        s.klicken("cmd_StartLog");
        QCOMPARE(s.fenster().loggen->cmd_StartLog->text(), "Start");
        QTest::qWait(100); // what was on its way has arrived
        const QStringList texte = berichte(s.log());
        QTest::qWait(200);
        QCOMPARE(berichte(s.log()), texte); // the device is quiet
        QVERIFY(inReihenfolge(texte));
        QVERIFY(s.log().contains(" Loggen gestartet\r\n"));
        QVERIFY(s.log().endsWith(" Loggen gestoppt\r\n"));
    }

    // The device reports as fast as it can: no report is lost or split, and the window keeps up.
    void flood()
    {
        SimProcess sim({"--baud", "0", "--report-interval", "1"});
        Sitzung s(sim.ptyPath());
        QVERIFY(s.starten());
        QElapsedTimer uhr;
        qint64 längstePause = 0;
        qint64 zuletzt = 0;
        QTimer puls;
        QObject::connect(&puls, &QTimer::timeout, [&] {
            längstePause = std::max(längstePause, uhr.elapsed() - zuletzt);
            zuletzt = uhr.elapsed();
        });
        s.klicken("cmd_StartLog");
        uhr.start();
        puls.start(10);
        QTest::qWait(3000);
        puls.stop();
        s.klicken("cmd_StartLog");
        QTest::qWait(100);
        const QStringList texte = berichte(s.log());
        QVERIFY2(texte.size() > 1000, qPrintable(QString::number(texte.size())));
        QVERIFY(inReihenfolge(texte));
        QVERIFY2(längstePause < 250, qPrintable(QString::number(längstePause)));
        QCOMPARE(s.fenster().loggen->txt_Log->document()->blockCount(), s.log().count("\r\n") + 1);
    }

    void uploads()
    {
        QTemporaryDir ordner;
        SimProcess sim({"--baud", "0", "--firmware-dir", ordner.path()});
        Sitzung s(sim.ptyPath());
        QVERIFY(s.starten());
        s.meldungen.shown.clear();
        const QByteArray firmware = muster(40000); // more than 255 blocks
        const QByteArray bustreiber = muster(1000);
        schreiben(ordner, "Klingport.TSK", firmware);
        schreiben(ordner, "bus.hex", bustreiber);
        s.dateien.names = {ordner.filePath("klingport.tsk"),
                           ordner.filePath("bus.hex")}; // another letter case
        s.klicken("cmd_FirmwaredateiÄndern");
        s.klicken("cmd_BustreiberdateiÄndern");
        s.klicken("cmd_Update");
        s.klicken("cmd_Bustreiberupdate");
        QCOMPARE(
            s.meldungen.texts(),
            QStringList({"Übertragung erfolgreich\r\nDas Klingport startet neu!\r\nBitte warten Sie ca. 5 "
                         "Sekunden.",
                         "Übertragung erfolgreich!"}));
        // The device keeps what it took, padded with SUB to whole blocks.
        const QByteArray fw = lesen(QDir(ordner.path()).filePath("firmware-001.tsk"));
        QCOMPARE(fw.left(firmware.size()), firmware);
        QCOMPARE(fw.mid(firmware.size()), QByteArray(fw.size() - firmware.size(), '\x1A'));
        QCOMPARE(lesen(QDir(ordner.path()).filePath("bustreiber-001.hex")).left(bustreiber.size()),
                 bustreiber);
        QVERIFY(!s.programm.kommunikation()->nurBootlader());
        QVERIFY(s.log().contains(" Firmware erfolgreich übertragen\r\n"));
        QVERIFY(s.log().endsWith(" Bustreiber erfolgreich übertragen\r\n"));
    }

    void failedUploads_data()
    {
        QTest::addColumn<QStringList>("optionen");
        QTest::addColumn<QStringList>("meldungen");
        QTest::newRow("silent device: time-out before it accepted")
            << QStringList{"--silent"} << QStringList{"Übertragung wegen Timeout abgebrochen!"};
        QTest::newRow("CAN in the transfer: after it accepted")
            << QStringList{"--can", "block:3"}
            << QStringList{
                   "Übertragung wegen Übertragungsfehler abgebrochen!\r\nBitte überprüfen Sie die "
                   "Verbindung zum Klingport.\r\nFühren Sie anschließend einen Spannungsreset am Klingport "
                   "durch und bestätigen Sie nach ca. 5 Sekunden mit OK.",
                   "Firmware erfolgreich ausgelesen!"};
    }

    void failedUploads()
    {
        QFETCH(QStringList, optionen);
        QTemporaryDir ordner;
        SimProcess sim(optionen + QStringList{"--baud", "0"});
        Sitzung s(sim.ptyPath());
        QVERIFY(s.starten());
        s.meldungen.shown.clear();
        s.dateien.names = {schreiben(ordner, "k.tsk", muster(2000))};
        s.klicken("cmd_FirmwaredateiÄndern");
        s.klicken("cmd_Update");
        QTEST(s.meldungen.texts(), "meldungen");
        QVERIFY(s.fenster().isEnabled());
    }

    void callButton_data()
    {
        QTest::addColumn<QString>("antwort"); // what the device answers, in hexadecimal; empty: its own
        QTest::addColumn<QString>("türstation");
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QStringList>("meldungen");
        const QString eingelernt =
            "Ruf erfolgreich eingelernt!\r\nBitte beachten Sie, dass eventuell eingetragene "
            "Rufnummern im Telefonbuch noch nicht im Klingport gespeichert sind";
        const QString leer = "00-00-00-00-00-00-00-00";
        const auto hex = [](const QByteArray& text) { return QString::fromLatin1(text.toHex()); };
        QTest::newRow("device's own answer") << ""
                                             << "3"
                                             << "1A-2B-3C-4F-05-00-00-00" << QStringList{eingelernt};
        QTest::newRow("blanks") << hex("12 34 56 78 9A \r\n") << "1"
                                << "12-34-56-78-9A-00-00-00" << QStringList{eingelernt};
        QTest::newRow("other separators") << hex("12:34;56/78|9A#\r\n") << "1"
                                          << "12-34-56-78-9A-00-00-00" << QStringList{eingelernt};
        QTest::newRow("16 characters")
            << hex("12 34 56 78 9A\r\n") << "1" << leer << QStringList{"Rufinformationen fehlerhaft!"};
        QTest::newRow("18 characters")
            << hex("12 34 56 78 9A  \r\n") << "1" << leer << QStringList{"Rufinformationen fehlerhaft!"};
        QTest::newRow("no door station")
            << ""
            << "0" << leer
            << QStringList{"Bitte vergeben Sie im Telefonbuch für den markierten "
                           "Eintrag eine gültige Türstationsnummer (1-9)"};
        QTest::newRow("door station no number")
            << ""
            << "x" << leer
            << QStringList{"Bitte vergeben Sie im Telefonbuch für den markierten "
                           "Eintrag eine gültige Türstationsnummer (1-9)"};
    }

    void callButton()
    {
        QFETCH(QString, antwort);
        QFETCH(QString, türstation);
        QFETCH(QString, adresse);
        SimProcess sim(antwort.isEmpty() ? QStringList{"--baud", "0"}
                                         : QStringList{"--baud", "0", "--call-answer", antwort});
        Sitzung s(sim.ptyPath());
        QVERIFY(s.starten());
        s.meldungen.shown.clear();
        Telefonbucheintrag eintrag;
        eintrag.Teilnehmer = "Empfang";
        eintrag.Türstation = türstation;
        s.telefonbuch().setEintrag(5, eintrag);
        s.fenster().telefonbuch->zeileMarkieren(5);
        s.klicken("Cmd_RufInformationAbholen");
        QTEST(s.meldungen.texts(), "meldungen");
        QCOMPARE(s.telefonbuch().eintrag(5).Adresse, adresse);
        QCOMPARE(s.telefonbuch().eintrag(5).Tastercode,
                 adresse == "00-00-00-00-00-00-00-00" ? "frei" : "gefangen");
        QCOMPARE(s.telefonbuch().eintrag(5).Teilnehmer, "Empfang");
        if (türstation == "1" || türstation == "3")
            QVERIFY(s.log().startsWith("07.12.2026 09:05:00 Rufinformation erfolgreich abgeholt\r\n"));
        else
            QVERIFY(s.log().isEmpty());
    }
};

QTEST_MAIN(tst_Geraetebefehle)
#include "tst_geraetebefehle.moc"
