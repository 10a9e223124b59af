// The link window against lrzsz's rx and sx over klingport-ptyline: the program on end a, lrzsz on b.

#include "../device/Xmodem.h"
#include "LrzszProcess.h"
#include "PtyLineProcess.h"
#include "Rahmen.h"
#include "Testdaten.h"
#include "Verbindung.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kommunikation;

namespace {

constexpr int Runden = 3;
// rx flushes its input just after each ACK; unpaced, the next block could land before that flush.
const QStringList Kabel{"--baud", "115200"};
// rx and sx throw away what arrives before they start, so they start just after the request.
constexpr int StartVerzögerungMs = 20;
constexpr int EndeGrenzeMs = 15000;

// Data made of the protocol's own control characters, which must pass as plain data.
QByteArray steuerzeichen(int größe)
{
    return QByteArray("\x01\x04\x06\x15\x18\x1A\x0D\x0A\xFF", 9).repeated(größe / 9 + 1).left(größe);
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
    QTest::newRow("one byte, padded to a block") << xmodem::pattern(1, 7);
    QTest::newRow("two full blocks, no padding") << xmodem::pattern(2 * Blockgröße, 3);
    QTest::newRow("control characters as data") << steuerzeichen(Abbildgröße + 5);
    QTest::newRow("313 blocks, the number wraps past 255") << xmodem::pattern(40000, 1);
}

void tst_InteropLrzsz::firmwareSendenToRx()
{
    QFETCH(QByteArray, firmware);
    QTemporaryDir dir;
    PtyLineProcess kabel(Kabel);
    Verbindung v(kabel.a());
    QVERIFY(v.form.ComportÖffnen(1));
    for (int runde = 1; runde <= Runden; ++runde) {
        const QString datei = QStringLiteral("runde%1.bin").arg(runde);
        LrzszProcess rx("rx", {"-b", "-q", datei}, kabel.b(), dir.path());
        rx.startAfter(StartVerzögerungMs);
        v.form.setÜbertragungGestartet(false);
        const Ergebnis ergebnis = v.form.FirmwareSenden(firmware);
        QVERIFY2(rx.finish(EndeGrenzeMs), qPrintable(rx.report()));
        QCOMPARE(ergebnis, Ergebnis::Erfolg);
        QVERIFY(v.form.übertragungGestartet());
        const qsizetype blöcke = (firmware.size() + Blockgröße - 1) / Blockgröße;
        QCOMPARE(dateiinhalt(dir.filePath(datei)), firmware.leftJustified(blöcke * Blockgröße, Zeichen::SUB));
    }
}

void tst_InteropLrzsz::konfigurationLadenFromSx_data()
{
    QTest::addColumn<QByteArray>("abbild");
    QTest::newRow("varied data") << xmodem::pattern(Abbildgröße, 9);
    QTest::newRow("control characters as data") << steuerzeichen(Abbildgröße);
    QTest::newRow("all SUB, like padding") << QByteArray(Abbildgröße, Zeichen::SUB);
}

void tst_InteropLrzsz::konfigurationLadenFromSx()
{
    QFETCH(QByteArray, abbild);
    QTemporaryDir dir;
    dateiAnlegen(dir.filePath("abbild.bin"), abbild);
    PtyLineProcess kabel(Kabel);
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
