// The real link window and serial port against klingport-sim over a pseudo-terminal, in real time.

#include "Clock.h"
#include "Verbindung.h"
#include "Portverzeichnis.h"
#include "QtSerialPort.h"
#include "Rahmen.h"
#include "SimProcess.h"
#include "frm_Kommunikation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace kommunikation;

namespace {

QByteArray muster(int größe, int start)
{
    QByteArray daten(größe, 0);
    for (int i = 0; i < größe; ++i)
        daten[i] = char((i * 31 + start) & 0xFF);
    return daten;
}

} // namespace

class tst_LinkSerial : public QObject {
    Q_OBJECT
private slots:
    void openingPorts();
    void readStoreAndReadBack();
    void firmwareUploadOfMoreThan255Blocks();
    void versionAndCallButton();
    void loggingOnAndOff();
    void lineDroppedDuringRead();
    void operationOnClosedPortFailsAtOnce();
};

void tst_LinkSerial::openingPorts()
{
    SimProcess sim;
    QVERIFY(!sim.ptyPath().isEmpty());
    Verbindung v(sim.ptyPath());
    v.settings.setValue("Ports", "COM2", QDir(sim.dir()).filePath("missing"));
    QVERIFY(v.form.ComportÖffnen(1));
    QVERIFY(v.form.portOffen());
    QVERIFY(v.form.ComportÖffnen(1)); // the open port is closed and opened again
    QVERIFY(!v.form.ComportÖffnen(2));
    QVERIFY(!v.form.portOffen());
    QVERIFY(!v.form.ComportÖffnen(0));
    QVERIFY(!v.form.ComportÖffnen(7));
    QVERIFY(v.form.ComportÖffnen(1));
}

void tst_LinkSerial::readStoreAndReadBack()
{
    QTemporaryDir dir;
    const QString abbildDatei = dir.filePath("image.bin");
    SimProcess sim({"--image", abbildDatei});
    Verbindung v(sim.ptyPath());
    QVERIFY(v.form.ComportÖffnen(1));

    // The progress window is up while a block operation runs, and only then.
    bool währendSichtbar = false;
    int höchsterFortschritt = 0;
    QTimer beobachter;
    connect(&beobachter, &QTimer::timeout, this, [&] {
        währendSichtbar = währendSichtbar || v.form.isVisible();
        höchsterFortschritt = std::max(höchsterFortschritt,
                                       v.form.findChild<QProgressBar*>("pgb_Kommunikationsstatus")->value());
    });
    beobachter.start(50);

    const Antwort gelesen = v.form.KonfigurationLaden();
    QCOMPARE(gelesen.ergebnis, Ergebnis::Erfolg);
    QCOMPARE(gelesen.daten.size(), Abbildgröße);
    QVERIFY(währendSichtbar);
    QVERIFY(höchsterFortschritt > 0);
    QVERIFY(!v.form.isVisible());

    QByteArray neu = muster(Abbildgröße, 4);
    neu[0] = 0x01;
    QCOMPARE(v.form.KonfigurationSenden(neu), Ergebnis::Erfolg);
    const Antwort zurück = v.form.KonfigurationLaden();
    QCOMPARE(zurück.ergebnis, Ergebnis::Erfolg);
    QCOMPARE(zurück.daten, neu);

    QFile datei(abbildDatei);
    QVERIFY(datei.open(QIODevice::ReadOnly));
    QCOMPARE(datei.readAll(), neu);
}

void tst_LinkSerial::firmwareUploadOfMoreThan255Blocks()
{
    QTemporaryDir dir;
    SimProcess sim({"--firmware-dir", dir.path(), "--baud", "0"});
    Verbindung v(sim.ptyPath());
    QVERIFY(v.form.ComportÖffnen(1));
    const QByteArray firmware = muster(300 * Blockgröße + 17, 2);
    v.form.setÜbertragungGestartet(false);
    QCOMPARE(v.form.FirmwareSenden(firmware), Ergebnis::Erfolg);
    QVERIFY(v.form.übertragungGestartet());

    const QStringList dateien = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(dateien.size(), 1);
    QFile datei(dir.filePath(dateien.first()));
    QVERIFY(datei.open(QIODevice::ReadOnly));
    const QByteArray empfangen = datei.readAll();
    QCOMPARE(empfangen.first(firmware.size()), firmware);
    QCOMPARE(empfangen.sliced(firmware.size()), QByteArray(empfangen.size() - firmware.size(), Zeichen::SUB));
}

void tst_LinkSerial::versionAndCallButton()
{
    SimProcess sim;
    Verbindung v(sim.ptyPath());
    QVERIFY(v.form.ComportÖffnen(1));
    const Antwort version = v.form.FirmwareAuslesen();
    QCOMPARE(version.ergebnis, Ergebnis::Erfolg);
    QVERIFY(version.daten.contains("PIC"));
    QVERIFY(version.daten.endsWith("\r\n"));
    QVERIFY(!v.form.isVisible());

    const Antwort ruftaste = v.form.RufInformationAbholen(12, 3);
    QCOMPARE(ruftaste.ergebnis, Ergebnis::Erfolg);
    QCOMPARE(ruftaste.daten.size(), 17);

    SimProcess koppler({"--version", "koppler"});
    Verbindung k(koppler.ptyPath());
    QVERIFY(k.form.ComportÖffnen(1));
    QElapsedTimer uhr;
    uhr.start();
    const Antwort antwort = k.form.FirmwareAuslesen();
    QCOMPARE(antwort.ergebnis, Ergebnis::Erfolg);
    QVERIFY(antwort.daten.contains("Koppler"));
    QVERIFY(uhr.elapsed() >= 1900);
}

void tst_LinkSerial::loggingOnAndOff()
{
    SimProcess sim({"--report-interval", "50"});
    Verbindung v(sim.ptyPath());
    QVERIFY(v.form.ComportÖffnen(1));
    QSignalSpy zeilen(&v.form, &frm_Kommunikation::berichtszeileEmpfangen);
    QCOMPARE(v.form.LoggenEin(), Ergebnis::Erfolg);
    QTRY_VERIFY_WITH_TIMEOUT(zeilen.size() >= 5, 5000);
    for (const QList<QVariant>& zeile : zeilen) {
        const QByteArray text = zeile.first().toByteArray();
        QVERIFY(text.endsWith("\r\n"));
        QVERIFY(QByteArray("SET").contains(text[0]));
    }
    QCOMPARE(v.form.FirmwareAuslesen().ergebnis, Ergebnis::Belegt);

    v.form.LoggenAus();
    QTest::qWait(200); // reports already on the line may still come in
    const qsizetype danach = zeilen.size();
    QTest::qWait(400);
    QCOMPARE(zeilen.size(), danach);
    QCOMPARE(v.form.FirmwareAuslesen().ergebnis, Ergebnis::Erfolg);
}

void tst_LinkSerial::lineDroppedDuringRead()
{
    SimProcess sim({"--drop-at-block", "5"});
    Verbindung v(sim.ptyPath());
    QVERIFY(v.form.ComportÖffnen(1));
    QSignalSpy verloren(&v.form, &frm_Kommunikation::portVerloren);
    QElapsedTimer uhr;
    uhr.start();
    const Antwort antwort = v.form.KonfigurationLaden();
    QCOMPARE(antwort.ergebnis, Ergebnis::Transferfehler);
    QVERIFY(antwort.daten.isEmpty());
    QVERIFY2(uhr.elapsed() < 4000, "the lost line ends the read at once, not by time-out");
    QCOMPARE(verloren.size(), 1);
    QVERIFY(!v.form.isVisible());
    QVERIFY(!v.form.portOffen());
}

void tst_LinkSerial::operationOnClosedPortFailsAtOnce()
{
    FakeSettingsStore settings;
    platform::QtSerialPort port;
    platform::SteadyClock clock;
    frm_Kommunikation form(port, clock, [](int) { return QString(); });
    QElapsedTimer uhr;
    uhr.start();
    QCOMPARE(form.KonfigurationLaden().ergebnis, Ergebnis::Transferfehler);
    QCOMPARE(form.FirmwareSenden("abc"), Ergebnis::Transferfehler);
    QCOMPARE(form.FirmwareAuslesen().ergebnis, Ergebnis::Transferfehler);
    QVERIFY(uhr.elapsed() < 500);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.kommunikationsModus(), 0);
}

QTEST_MAIN(tst_LinkSerial)
#include "tst_link_serial.moc"
