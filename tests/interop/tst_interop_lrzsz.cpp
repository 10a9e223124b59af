// The link window against lrzsz's rx and sx over klingport-ptyline: the program on end a, lrzsz on b.

#include "Clock.h"
#include "Verbindung.h"
#include "LrzszProcess.h"
#include "Portverzeichnis.h"
#include "PtyLineProcess.h"
#include "QtSerialPort.h"
#include "Rahmen.h"
#include "frm_Kommunikation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kommunikation;

namespace {

constexpr int Runden = 3;
// rx flushes its input just after each ACK; unpaced, the next block could land before that flush.
const QString KabelBaud = QStringLiteral("115200");
// rx and sx throw away what arrives before they start, so they start just after the request.
constexpr int StartVerzögerungMs = 20;
constexpr int EndeGrenzeMs = 15000;

QByteArray muster(int größe, int start)
{
    QByteArray daten(größe, 0);
    for (int i = 0; i < größe; ++i)
        daten[i] = char((i * 31 + start) & 0xFF);
    return daten;
}

// Data made of the protocol's own control characters, which must pass as plain data.
QByteArray steuerzeichen(int größe)
{
    static const QByteArray zeichen("\x01\x04\x06\x15\x18\x1A\x0D\x0A\xFF", 9);
    QByteArray daten(größe, 0);
    for (int i = 0; i < größe; ++i)
        daten[i] = zeichen[i % zeichen.size()];
    return daten;
}

QByteArray dateiLesen(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

} // namespace

class tst_InteropLrzsz : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void firmwareSendenToRx_data();
    void firmwareSendenToRx();
    void konfigurationLadenFromSx_data();
    void konfigurationLadenFromSx();
};

void tst_InteropLrzsz::initTestCase()
{
    QVERIFY2(!LrzszProcess::executable("rx").isEmpty() && !LrzszProcess::executable("sx").isEmpty(),
             "lrzsz (rx, sx) is not installed");
}

void tst_InteropLrzsz::firmwareSendenToRx_data()
{
    QTest::addColumn<QByteArray>("firmware");
    QTest::newRow("one byte, padded to a block") << muster(1, 7);
    QTest::newRow("two full blocks, no padding") << muster(2 * Blockgröße, 3);
    QTest::newRow("control characters as data") << steuerzeichen(Abbildgröße + 5);
    QTest::newRow("313 blocks, the number wraps past 255") << muster(40000, 1);
}

void tst_InteropLrzsz::firmwareSendenToRx()
{
    QFETCH(QByteArray, firmware);
    QTemporaryDir dir;
    PtyLineProcess kabel({"--baud", KabelBaud});
    QVERIFY(!kabel.a().isEmpty());
    Verbindung v(kabel.a());
    QVERIFY(v.form.ComportÖffnen(1));

    const qsizetype blöcke = (firmware.size() + Blockgröße - 1) / Blockgröße;
    for (int runde = 1; runde <= Runden; ++runde) {
        const QString datei = QStringLiteral("runde%1.bin").arg(runde);
        LrzszProcess rx("rx", {"-b", "-q", datei}, kabel.b(), dir.path());
        rx.startAfter(StartVerzögerungMs);
        v.form.setÜbertragungGestartet(false);
        const Ergebnis ergebnis = v.form.FirmwareSenden(firmware);
        QVERIFY2(rx.finish(EndeGrenzeMs), qPrintable(rx.report()));
        QCOMPARE(ergebnis, Ergebnis::Erfolg);
        QVERIFY(v.form.übertragungGestartet());

        const QByteArray empfangen = dateiLesen(dir.filePath(datei));
        QCOMPARE(empfangen.size(), blöcke * Blockgröße);
        QCOMPARE(empfangen.first(firmware.size()), firmware);
        QCOMPARE(empfangen.sliced(firmware.size()),
                 QByteArray(empfangen.size() - firmware.size(), Zeichen::SUB));
    }
}

void tst_InteropLrzsz::konfigurationLadenFromSx_data()
{
    QTest::addColumn<QByteArray>("abbild");
    QTest::newRow("counting pattern") << muster(Abbildgröße, 9);
    QTest::newRow("control characters as data") << steuerzeichen(Abbildgröße);
    QTest::newRow("all SUB, like padding") << QByteArray(Abbildgröße, Zeichen::SUB);
}

void tst_InteropLrzsz::konfigurationLadenFromSx()
{
    QFETCH(QByteArray, abbild);
    QTemporaryDir dir;
    QFile datei(dir.filePath("abbild.bin"));
    QVERIFY(datei.open(QIODevice::WriteOnly));
    QCOMPARE(datei.write(abbild), abbild.size());
    datei.close();
    PtyLineProcess kabel({"--baud", KabelBaud});
    QVERIFY(!kabel.a().isEmpty());
    Verbindung v(kabel.a());
    QVERIFY(v.form.ComportÖffnen(1));

    for (int runde = 1; runde <= Runden; ++runde) {
        LrzszProcess sx("sx", {"-b", "-q", "abbild.bin"}, kabel.b(), dir.path());
        sx.startAfter(StartVerzögerungMs);
        const Antwort antwort = v.form.KonfigurationLaden();
        QVERIFY2(sx.finish(EndeGrenzeMs), qPrintable(sx.report()));
        QCOMPARE(antwort.ergebnis, Ergebnis::Erfolg);
        QCOMPARE(antwort.daten, abbild);
    }
}

QTEST_MAIN(tst_InteropLrzsz)
#include "tst_interop_lrzsz.moc"
