// The link window against lrzsz's rx and sx over klingport-ptyline: the program on end a, lrzsz on b.

#include "LrzszProcess.h"
#include "PtyLineProcess.h"
#include "Rahmen.h"
#include "Testdaten.h"
#include "Verbindung.h"
#include "Xmodem.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kommunikation;

namespace {

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
    void transfer_data();
    void transfer();
};

void tst_InteropLrzsz::transfer_data()
{
    QTest::addColumn<bool>("lesen"); // the image read from sx, else firmware sent to rx
    QTest::addColumn<QByteArray>("daten");
    QTest::newRow("firmware of one byte, padded to a block") << false << xmodem::pattern(1, 7);
    QTest::newRow("firmware of two full blocks, no padding") << false << xmodem::pattern(2 * Blockgröße, 3);
    QTest::newRow("firmware of control characters") << false << steuerzeichen(Abbildgröße + 5);
    QTest::newRow("firmware of 313 blocks, the number wraps past 255") << false << xmodem::pattern(40000, 1);
    QTest::newRow("image of varied data") << true << xmodem::pattern(Abbildgröße, 9);
    QTest::newRow("image of control characters") << true << steuerzeichen(Abbildgröße);
    QTest::newRow("image all SUB, like padding") << true << QByteArray(Abbildgröße, Zeichen::SUB);
}

void tst_InteropLrzsz::transfer()
{
    QFETCH(bool, lesen);
    QFETCH(QByteArray, daten);
    QTemporaryDir dir;
    dateiAnlegen(dir.filePath("abbild.bin"), daten);
    PtyLineProcess kabel(Kabel);
    Verbindung v(kabel.a());
    QVERIFY(v.form.ComportÖffnen(1));
    const qsizetype blöcke = (daten.size() + Blockgröße - 1) / Blockgröße;
    for (int runde = 1; runde <= 3; ++runde) { // one open port serves one transfer after another
        const QString empfangen = QStringLiteral("runde%1.bin").arg(runde);
        LrzszProcess lrzsz(lesen ? "sx" : "rx", {"-b", "-q", lesen ? "abbild.bin" : empfangen}, kabel.b(),
                           dir.path());
        lrzsz.startAfter(StartVerzögerungMs);
        v.form.setÜbertragungGestartet(false);
        const Antwort antwort =
            lesen ? v.form.KonfigurationLaden() : Antwort{v.form.FirmwareSenden(daten), {}};
        QVERIFY2(lrzsz.finish(EndeGrenzeMs), qPrintable(lrzsz.report()));
        QCOMPARE(antwort.ergebnis, Ergebnis::Erfolg);
        QCOMPARE(v.form.übertragungGestartet(), !lesen);
        QCOMPARE(lesen ? antwort.daten : dateiinhalt(dir.filePath(empfangen)),
                 lesen ? daten : daten.leftJustified(blöcke * Blockgröße, Zeichen::SUB));
    }
}

QTEST_MAIN(tst_InteropLrzsz)
#include "tst_interop_lrzsz.moc"
