// The link engine against the simulated Klingport, in process on one virtual clock that jumps from
// deadline to deadline: every operation end to end, and each device fault with each operation it applies to,
// given as the simulator's command line gives it.

#include "CommandLine.h"
#include "EngineHarness.h"
#include "Klingport.h"
#include "Rahmen.h"

#include <QTest>

using namespace kommunikation;

namespace {

const QByteArray CAN3(3, Zeichen::CAN);

struct LinkPair {
    EngineHarness pc;
    device::Klingport gerät;
    QByteArray gesendet; // everything the PC wrote, in order
    size_t weitergegeben = 0;

    explicit LinkPair(device::Options optionen = {}) : gerät(std::move(optionen)) {}

    // Carries everything both sides have written until neither has more to say right now.
    void übertragen()
    {
        for (int runde = 0; runde < 100000; ++runde) {
            const QByteArray ausPc = pc.writes(weitergegeben).join();
            weitergegeben = pc.effekte.size();
            const QByteArray ausGerät = gerät.takeOutput();
            if (ausPc.isEmpty() && ausGerät.isEmpty())
                return;
            gesendet += ausPc;
            gerät.receive(ausPc, pc.now);
            pc.receive(ausGerät);
        }
    }

    // Starts an operation and runs it to its end; false if the engine never comes back to idle.
    bool ausführen(Op op, const QByteArray& daten = {})
    {
        const Ergebnis angenommen = starten(pc, op, daten, 7, 2);
        übertragen();
        while (angenommen == Ergebnis::Erfolg && !pc.engine.idle()) {
            std::optional<Millis> nächste = pc.engine.nextDeadline();
            const std::optional<Millis> gerätFrist = gerät.nextDeadline();
            if (gerätFrist && (!nächste || *gerätFrist < *nächste))
                nächste = gerätFrist;
            if (!nächste || *nächste > 600000)
                return false;
            pc.now = std::max(pc.now, *nächste);
            gerät.advanceTo(pc.now);
            übertragen();
            pc.advanceTo(pc.now);
            übertragen();
        }
        return angenommen == Ergebnis::Erfolg;
    }
};

QByteArray nutzdaten(Op op)
{
    return op == Firmware       ? xmodem::pattern(40000, 1) // more than 255 blocks: the block number wraps
           : op == Bustreiber   ? xmodem::pattern(3000, 2)
           : op == AbbildSenden ? xmodem::pattern(Abbildgröße, 3)
                                : QByteArray();
}

QByteArray gepolstert(const QByteArray& daten)
{
    return daten.leftJustified((daten.size() + Blockgröße - 1) / Blockgröße * Blockgröße, Zeichen::SUB);
}

} // namespace

class tst_LinkPair : public QObject {
    Q_OBJECT
private slots:
    void faultMatrix_data();
    void faultMatrix();
};

void tst_LinkPair::faultMatrix_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("fehler"); // as klingport-sim's command line gives it
    QTest::addColumn<int>("ergebnis");
    QTest::addColumn<bool>("abbruchGesendet"); // the PC told the device with CAN three times
    const auto zeile = [](const char* name, Op op, const QString& fehler, int ergebnis,
                          bool abbruch = false) {
        QTest::newRow(QStringLiteral("%1: %2").arg(name, fehler.isEmpty() ? "no fault" : fehler).toUtf8())
            << int(op) << fehler << ergebnis << abbruch;
    };
    const char* müll = "--garbage ff007a71";
    for (const auto& [name, op] :
         {std::pair("firmware", Firmware), {"bus driver", Bustreiber}, {"image store", AbbildSenden}}) {
        zeile(name, op, "", 0);
        zeile(name, op, "--nak-block 2:2", 0);
        zeile(name, op, "--nak-block 2:3", 2, true);
        zeile(name, op, "--can request", 2);
        zeile(name, op, "--can block:3", 2);
        zeile(name, op, "--can eot", 2);
        zeile(name, op, "--silent", 1);
        zeile(name, op, müll, 0);
        zeile(name, op, "--store-delay 3", 0);
        zeile(name, op, "--store-delay 61", 1);
        zeile(name, op, "--drop-at-block 3", 1, true);
        // The last block's second ACK comes before the store's refusal.
        const auto blöcke = (nutzdaten(op).size() + Blockgröße - 1) / Blockgröße;
        zeile(name, op, QStringLiteral("--double-ack %1 --can eot").arg(blöcke), 2);
    }
    const char* r = "image read";
    zeile(r, AbbildLesen, "", 0);
    zeile(r, AbbildLesen, "--corrupt-block 5:2", 0);
    zeile(r, AbbildLesen, "--corrupt-block 5:3", 2, true);
    zeile(r, AbbildLesen, "--truncate-block 5:1", 0);
    zeile(r, AbbildLesen, "--truncate-block 48:3", 0);
    zeile(r, AbbildLesen, "--truncate-block 5:4", 1, true);
    zeile(r, AbbildLesen, "--can request", 2);
    zeile(r, AbbildLesen, "--can block:5", 2);
    zeile(r, AbbildLesen, "--can eot", 2);
    zeile(r, AbbildLesen, "--silent", 1, true);
    zeile(r, AbbildLesen, müll, 0);
    zeile(r, AbbildLesen, "--drop-at-block 5", 1, true);
    zeile("version", Version, "", 0);
    zeile("version", Version, "--silent", 1);
    zeile("version", Version, müll, 0);
    zeile("call button", Ruftaste, "", 0);
    zeile("call button", Ruftaste, "--silent", 1);
}

void tst_LinkPair::faultMatrix()
{
    QFETCH(int, op);
    QFETCH(QString, fehler);
    QFETCH(int, ergebnis);
    QFETCH(bool, abbruchGesendet);
    const auto optionen = sim::parseCommandLine(("klingport-sim " + fehler).split(' ', Qt::SkipEmptyParts));
    QVERIFY(std::holds_alternative<sim::Settings>(optionen));
    LinkPair pair(std::get<sim::Settings>(optionen).device);
    const QByteArray abbildVorher = pair.gerät.image();
    QVERIFY(pair.ausführen(Op(op), nutzdaten(Op(op))));

    const Antwort antwort = pair.pc.engine.antwort();
    QCOMPARE(antwort.code(), ergebnis);
    QVERIFY(!pair.pc.engine.nextDeadline()); // no timer left to disturb the next operation
    QCOMPARE(pair.gesendet.endsWith(CAN3), abbruchGesendet);
    QCOMPARE(pair.gesendet.contains(CAN3), abbruchGesendet);
    if (ergebnis != 0) {
        QVERIFY(antwort.daten.isEmpty()); // a failed read hands nothing on
        return;
    }
    // What arrived at the other end.
    const QByteArray daten = nutzdaten(Op(op));
    if (op == Firmware)
        QCOMPARE(pair.gerät.firmware(), gepolstert(daten));
    else if (op == Bustreiber)
        QCOMPARE(pair.gerät.busDriver(), gepolstert(daten));
    else if (op == AbbildSenden)
        QCOMPARE(pair.gerät.image(), daten);
    else if (op == AbbildLesen)
        QCOMPARE(antwort.daten, abbildVorher);
    else if (op == Version)
        QVERIFY(antwort.daten.endsWith(device::Klingport::versionAnswer(device::VersionMode::Complete)));
    else
        QVERIFY(antwort.daten.endsWith(device::Klingport::callButtonAnswer(2, 7)));
}

QTEST_APPLESS_MAIN(tst_LinkPair)
#include "tst_link_pair.moc"
