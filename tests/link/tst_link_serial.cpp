// The real link window and serial port against klingport-sim over a pseudo-terminal, in real time.

#include "Clock.h"
#include "Portverzeichnis.h"
#include "QtSerialPort.h"
#include "Rahmen.h"
#include "SimProcess.h"
#include "Verbindung.h"
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
    void kopplerAnswerEndsAfterTwoSeconds();
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

// The version and call-button answers, uploads and logging go through the whole program in
// tst_geraet and tst_geraetebefehle; here what only the link shows.
void tst_LinkSerial::kopplerAnswerEndsAfterTwoSeconds()
{
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
