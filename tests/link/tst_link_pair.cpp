// The link engine against the simulated Klingport, in process on a virtual clock: every operation
// end to end, and each device fault with each operation it applies to.

#include "LinkPair.h"

#include <QTest>

using namespace kommunikation;

namespace {

enum Operation { Firmware, Bustreiber, AbbildSenden, AbbildLesen, Version, Ruftaste };

const QByteArray CAN3(3, Zeichen::CAN);

QByteArray muster(int größe, int start)
{
    QByteArray daten(größe, 0);
    for (int i = 0; i < größe; ++i)
        daten[i] = char((i * 13 + start) & 0xFF);
    return daten;
}

QByteArray nutzdaten(Operation op)
{
    switch (op) {
    case Firmware:
        return muster(40000, 1); // more than 255 blocks: the block number wraps
    case Bustreiber:
        return muster(3000, 2);
    case AbbildSenden:
        return muster(Abbildgröße, 3);
    default:
        return {};
    }
}

void starten(LinkPair& pair, Operation op)
{
    LinkEngine& e = pair.pc.engine;
    const Millis t = pair.pc.now;
    const QByteArray daten = nutzdaten(op);
    const Ergebnis angenommen = op == Firmware       ? e.FirmwareSenden(daten, t)
                                : op == Bustreiber   ? e.BustreiberSenden(daten, t)
                                : op == AbbildSenden ? e.KonfigurationSenden(daten, t)
                                : op == AbbildLesen  ? e.KonfigurationLaden(t)
                                : op == Version      ? e.FirmwareAuslesen(t)
                                                     : e.RufInformationAbholen(7, 2, t);
    QCOMPARE(angenommen, Ergebnis::Erfolg);
    pair.pc.take();
}

void fehlerEinstellen(device::Faults& f, const QString& art, int n, int k)
{
    using Phase = device::CanFault::Phase;
    if (art == "nak")
        f.nakBlock[n] = k;
    else if (art == "corrupt")
        f.corruptBlock[n] = k;
    else if (art == "truncate")
        f.truncateBlock[n] = k;
    else if (art == "can-request")
        f.can = {Phase::Request, 0};
    else if (art == "can-block")
        f.can = {Phase::Block, n};
    else if (art == "can-eot")
        f.can = {Phase::Eot, 0};
    else if (art == "silent")
        f.silent = true;
    else if (art == "garbage")
        f.garbage = QByteArray("\xFF\x00zq", 4);
    else if (art == "store")
        f.storeDelay = n;
    else if (art == "drop")
        f.dropAtBlock = n;
    else
        QVERIFY2(art == "none", qPrintable(art));
}

QByteArray gepolstert(QByteArray daten)
{
    if (daten.size() % Blockgröße)
        daten.append(Blockgröße - daten.size() % Blockgröße, Zeichen::SUB);
    return daten;
}

} // namespace

class tst_LinkPair : public QObject {
    Q_OBJECT
private slots:
    void faultMatrix_data();
    void faultMatrix();
    void bootloaderAfterReset();
    void lostAcksAreRecovered();
};

void tst_LinkPair::faultMatrix_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("fehler");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("ergebnis");
    QTest::addColumn<bool>("abbruchGesendet"); // the PC told the device with CAN three times

    const struct {
        const char* name;
        Operation op;
    } uploads[] = {{"firmware", Firmware}, {"bus driver", Bustreiber}, {"image store", AbbildSenden}};
    for (const auto& u : uploads) {
        const auto row = [&](const char* fall) {
            return &QTest::newRow(qPrintable(QString("%1: %2").arg(u.name, fall)));
        };
        *row("no fault") << int(u.op) << "none" << 0 << 0 << 0 << false;
        *row("NAK block 2 twice") << int(u.op) << "nak" << 2 << 2 << 0 << false;
        *row("NAK block 2 three times") << int(u.op) << "nak" << 2 << 3 << 2 << true;
        *row("CAN for the request") << int(u.op) << "can-request" << 0 << 0 << 2 << false;
        *row("CAN for block 3") << int(u.op) << "can-block" << 3 << 0 << 2 << false;
        *row("CAN for EOT") << int(u.op) << "can-eot" << 0 << 0 << 2 << false;
        *row("silent") << int(u.op) << "silent" << 0 << 0 << 1 << false;
        *row("garbage before the answer") << int(u.op) << "garbage" << 0 << 0 << 0 << false;
        *row("store takes 3 s") << int(u.op) << "store" << 3000 << 0 << 0 << false;
        *row("store takes 61 s") << int(u.op) << "store" << 61000 << 0 << 1 << false;
        *row("line drops at block 3") << int(u.op) << "drop" << 3 << 0 << 1 << true;
    }
    const auto lesen = [](const char* fall) {
        return &QTest::newRow(qPrintable(QString("image read: %1").arg(fall)));
    };
    *lesen("no fault") << int(AbbildLesen) << "none" << 0 << 0 << 0 << false;
    *lesen("block 5 corrupt twice") << int(AbbildLesen) << "corrupt" << 5 << 2 << 0 << false;
    *lesen("block 5 corrupt three times") << int(AbbildLesen) << "corrupt" << 5 << 3 << 2 << true;
    *lesen("block 5 cut short once") << int(AbbildLesen) << "truncate" << 5 << 1 << 0 << false;
    *lesen("block 48 cut short three times") << int(AbbildLesen) << "truncate" << 48 << 3 << 0 << false;
    *lesen("block 5 cut short four times") << int(AbbildLesen) << "truncate" << 5 << 4 << 1 << true;
    *lesen("CAN instead of block 1") << int(AbbildLesen) << "can-request" << 0 << 0 << 2 << false;
    *lesen("CAN instead of block 5") << int(AbbildLesen) << "can-block" << 5 << 0 << 2 << false;
    *lesen("CAN instead of EOT") << int(AbbildLesen) << "can-eot" << 0 << 0 << 2 << false;
    *lesen("silent") << int(AbbildLesen) << "silent" << 0 << 0 << 1 << true;
    *lesen("garbage before block 1") << int(AbbildLesen) << "garbage" << 0 << 0 << 0 << false;
    *lesen("line drops at block 5") << int(AbbildLesen) << "drop" << 5 << 0 << 1 << true;

    QTest::newRow("version: no fault") << int(Version) << "none" << 0 << 0 << 0 << false;
    QTest::newRow("version: silent") << int(Version) << "silent" << 0 << 0 << 1 << false;
    QTest::newRow("version: garbage") << int(Version) << "garbage" << 0 << 0 << 0 << false;
    QTest::newRow("call button: no fault") << int(Ruftaste) << "none" << 0 << 0 << 0 << false;
    QTest::newRow("call button: silent") << int(Ruftaste) << "silent" << 0 << 0 << 1 << false;
}

void tst_LinkPair::faultMatrix()
{
    QFETCH(int, op);
    QFETCH(QString, fehler);
    QFETCH(int, n);
    QFETCH(int, k);
    QFETCH(int, ergebnis);
    QFETCH(bool, abbruchGesendet);

    device::Options optionen;
    fehlerEinstellen(optionen.faults, fehler, n, k);
    LinkPair pair(optionen);
    const QByteArray abbildVorher = pair.gerät.image();
    starten(pair, Operation(op));
    QVERIFY(pair.bisFertig());

    const Antwort antwort = pair.pc.engine.antwort();
    QCOMPARE(antwort.code(), ergebnis);
    QVERIFY(!pair.pc.engine.nextDeadline()); // no timer left to disturb the next operation
    QCOMPARE(pair.gesendet.endsWith(CAN3), abbruchGesendet);
    QCOMPARE(pair.gesendet.contains(CAN3), abbruchGesendet);
    if (!antwort.erfolgreich())
        QVERIFY(antwort.daten.isEmpty()); // a failed read hands nothing on

    if (ergebnis != 0)
        return;
    // What arrived at the other end.
    if (op == Firmware)
        QCOMPARE(pair.gerät.firmware(), gepolstert(nutzdaten(Firmware)));
    else if (op == Bustreiber)
        QCOMPARE(pair.gerät.busDriver(), gepolstert(nutzdaten(Bustreiber)));
    else if (op == AbbildSenden)
        QCOMPARE(pair.gerät.image(), nutzdaten(AbbildSenden));
    else if (op == AbbildLesen)
        QCOMPARE(antwort.daten, abbildVorher);
    else if (op == Version)
        QVERIFY(antwort.daten.contains("PIC") && antwort.daten.endsWith("\r\n"));
    else if (op == Ruftaste)
        QCOMPARE(antwort.daten.size(), 17);
}

void tst_LinkPair::bootloaderAfterReset()
{
    LinkPair pair;
    // Running firmware waits for the CR: a bare "s" starts nothing.
    pair.pc.engine.setNurBootlader(true);
    starten(pair, Firmware);
    QVERIFY(pair.bisFertig());
    QCOMPARE(pair.pc.engine.antwort().ergebnis, Ergebnis::Timeout);

    pair.pc.engine.BootladerResettenSenden();
    pair.pc.take();
    pair.übertragen();
    QVERIFY(pair.gerät.bootloaderOnly());
    starten(pair, Version);
    QVERIFY(pair.bisFertig());
    QVERIFY(pair.pc.engine.antwort().daten.contains("Bootlader"));

    const qsizetype vorher = pair.gesendet.size();
    starten(pair, Firmware);
    QVERIFY(pair.bisFertig());
    QCOMPARE(pair.pc.engine.antwort().ergebnis, Ergebnis::Erfolg);
    QCOMPARE(pair.gesendet.mid(vorher, 2), QByteArray("s\x01")); // the bare request, then block 1
    QVERIFY(!pair.gerät.bootloaderOnly());
}

void tst_LinkPair::lostAcksAreRecovered()
{
    // The line swallows the device's first ACK to block 2: the PC repeats the block after 2 s, and
    // the device acknowledges the repeat without taking it twice.
    LinkPair pair;
    int acks = 0;
    pair.zumPc = [&](const QByteArray& b) {
        if (b == QByteArray(1, Zeichen::ACK) && ++acks == 2)
            return QByteArray();
        return b;
    };
    const QByteArray daten = muster(1000, 5);
    pair.pc.engine.BustreiberSenden(daten, 0);
    pair.pc.take();
    QVERIFY(pair.bisFertig());
    QVERIFY(pair.pc.engine.antwort().erfolgreich());
    QCOMPARE(pair.gerät.busDriver(), gepolstert(daten));
}

QTEST_APPLESS_MAIN(tst_LinkPair)
#include "tst_link_pair.moc"
