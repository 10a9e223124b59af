// The real link window and serial port against klingport-sim over a pseudo-terminal, in real time: what only
// the link shows. Reads, stores, queries and logging through the whole program are tst_geraet's.

#include "SimProcess.h"
#include "Verbindung.h"

#include <QElapsedTimer>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace kommunikation;

class tst_LinkSerial : public QObject {
    Q_OBJECT
private slots:
    void openingPorts();
    void progressWindowOnlyWhileReading();
    void kopplerAnswerEndsAfterTwoSeconds();
    void lineDroppedDuringRead();
    void operationOnClosedPortFailsAtOnce();
};

void tst_LinkSerial::openingPorts()
{
    SimProcess sim;
    Verbindung v(sim.ptyPath());
    v.settings.setValue("Ports", "COM2", sim.dir() + "/missing");
    QVERIFY(v.form.ComportÖffnen(1));
    QVERIFY(v.form.ComportÖffnen(1)); // the open port is closed and opened again
    QVERIFY(v.form.portOffen());
    QVERIFY(!v.form.ComportÖffnen(2));
    QVERIFY(!v.form.portOffen());
    QVERIFY(!v.form.ComportÖffnen(0));
    QVERIFY(!v.form.ComportÖffnen(7));
    QVERIFY(v.form.ComportÖffnen(1));
}

void tst_LinkSerial::progressWindowOnlyWhileReading()
{
    SimProcess sim;
    Verbindung v(sim.ptyPath());
    QVERIFY(v.form.ComportÖffnen(1));
    bool sichtbar = false;
    int fortschritt = 0;
    QTimer beobachter;
    connect(&beobachter, &QTimer::timeout, this, [&] {
        sichtbar = sichtbar || v.form.isVisible();
        fortschritt =
            std::max(fortschritt, v.form.findChild<QProgressBar*>("pgb_Kommunikationsstatus")->value());
    });
    beobachter.start(50);
    QVERIFY(!v.form.isVisible());
    const Antwort gelesen = v.form.KonfigurationLaden();
    QCOMPARE(gelesen.ergebnis, Ergebnis::Erfolg);
    QVERIFY(sichtbar);
    QVERIFY(fortschritt > 0);
    QVERIFY(!v.form.isVisible());
}

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
    Verbindung v({});
    QElapsedTimer uhr;
    uhr.start();
    QCOMPARE(v.form.KonfigurationLaden().ergebnis, Ergebnis::Transferfehler);
    QCOMPARE(v.form.FirmwareSenden("abc"), Ergebnis::Transferfehler);
    QCOMPARE(v.form.FirmwareAuslesen().ergebnis, Ergebnis::Transferfehler);
    QVERIFY(uhr.elapsed() < 500);
    QVERIFY(!v.form.isVisible());
    QCOMPARE(v.form.kommunikationsModus(), 0);
}

QTEST_MAIN(tst_LinkSerial)
#include "tst_link_serial.moc"
