// The real link window and serial port against klingport-sim over a pseudo-terminal, in real time: what only
// the link shows. Reads, stores, queries and logging through the whole program are tst_geraet's; the time
// limits are the engine's table.

#include "SimProcess.h"
#include "Verbindung.h"

#include <QElapsedTimer>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <unistd.h>

using namespace kommunikation;

class tst_LinkSerial : public QObject {
    Q_OBJECT
private slots:
    void openingPortsAndClosedPort();
    void lineDroppedDuringRead();
};

void tst_LinkSerial::openingPortsAndClosedPort()
{
    SimProcess sim;
    Verbindung v(sim.ptyPath());
    v.settings.setValue("Ports", "COM2", sim.dir() + "/missing");
    QVERIFY(v.form.ComportÖffnen(1));
    QVERIFY(v.form.ComportÖffnen(1)); // the open port is closed and opened again
    QVERIFY(v.form.portOffen());
    QVERIFY(!v.form.ComportÖffnen(2));
    QVERIFY(!v.form.portOffen());
    // With no port open every operation fails at once.
    QElapsedTimer uhr;
    uhr.start();
    QCOMPARE(v.form.KonfigurationLaden().ergebnis, Ergebnis::Transferfehler);
    QCOMPARE(v.form.FirmwareSenden("abc"), Ergebnis::Transferfehler);
    QCOMPARE(v.form.FirmwareAuslesen().ergebnis, Ergebnis::Transferfehler);
    QVERIFY(uhr.elapsed() < 500);
    QVERIFY(!v.form.isVisible());
    QCOMPARE(v.form.kommunikationsModus(), 0);
    QVERIFY(!v.form.ComportÖffnen(0));
    QVERIFY(!v.form.ComportÖffnen(7));
    QVERIFY(v.form.ComportÖffnen(1));

    // Closing drains the port through its own handle while it is still open, once (on Windows through
    // FlushFileBuffers, which Wine's pseudo-terminal line cannot show).
    v.form.ComportSchließen();
    static QList<bool> geleert; // for each drain: whether its handle was an open terminal
    platform::QtSerialPort port(nullptr,
                                [](platform::QtSerialPort::Handle h) { geleert.append(::isatty(h) == 1); });
    QVERIFY(port.open(sim.ptyPath()));
    QVERIFY(port.write("U"));
    port.close();
    port.close();
    QCOMPARE(geleert, QList<bool>{true});
}

void tst_LinkSerial::lineDroppedDuringRead()
{
    SimProcess sim({"--drop-at-block", "5"});
    Verbindung v(sim.ptyPath());
    QVERIFY(v.form.ComportÖffnen(1));
    QSignalSpy verloren(&v.form, &frm_Kommunikation::portVerloren);
    // The progress window shows the blocks read so far, and only while reading.
    bool sichtbar = false;
    QTimer beobachter;
    connect(&beobachter, &QTimer::timeout, this, [&] { sichtbar = sichtbar || v.form.isVisible(); });
    beobachter.start(50);
    QVERIFY(!v.form.isVisible());
    QElapsedTimer uhr;
    uhr.start();
    const Antwort antwort = v.form.KonfigurationLaden();
    QVERIFY(sichtbar);
    QCOMPARE(v.form.findChild<QProgressBar*>("pgb_Kommunikationsstatus")->value(), 4 * 128);
    QCOMPARE(antwort.ergebnis, Ergebnis::Transferfehler);
    QVERIFY(antwort.daten.isEmpty());
    QVERIFY2(uhr.elapsed() < 4000, "the lost line ends the read at once, not by time-out");
    QCOMPARE(verloren.size(), 1);
    QVERIFY(!v.form.isVisible());
    QVERIFY(!v.form.portOffen());
}

QTEST_MAIN(tst_LinkSerial)
#include "tst_link_serial.moc"
