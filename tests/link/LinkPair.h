#pragma once

// The link engine and the simulated Klingport joined by a line, on one virtual clock: time jumps
// from one deadline to the next, so a 60-second limit takes microseconds. Switches on the line
// drop or corrupt bytes in either direction.

#include "EngineHarness.h"
#include "Klingport.h"

#include <functional>

struct LinkPair {
    EngineHarness pc;
    device::Klingport gerät;
    // Applied to every chunk on its way; the default passes it unchanged.
    std::function<QByteArray(const QByteArray&)> zumGerät = [](const QByteArray& b) { return b; };
    std::function<QByteArray(const QByteArray&)> zumPc = [](const QByteArray& b) { return b; };
    // Bytes the device sent, in order, as the PC saw them.
    QByteArray vomGerät;

    explicit LinkPair(device::Options optionen = {}) : gerät(std::move(optionen)) {}

    // Carries everything both sides have written until neither has more to say right now.
    void übertragen()
    {
        for (int runde = 0; runde < 100000; ++runde) {
            QByteArray ausPc;
            for (const QByteArray& w : pc.takeWrites())
                ausPc += w;
            const QByteArray ausGerät = gerät.takeOutput();
            if (ausPc.isEmpty() && ausGerät.isEmpty())
                return;
            if (!ausPc.isEmpty()) {
                gesendet += ausPc;
                gerät.receive(zumGerät(ausPc), pc.now);
            }
            if (!ausGerät.isEmpty()) {
                const QByteArray ankunft = zumPc(ausGerät);
                vomGerät += ankunft;
                pc.receive(ankunft);
            }
        }
    }

    // Runs the started operation to its end; false if the engine never comes back to idle.
    bool bisFertig(kommunikation::Millis grenze = 10 * 60 * 1000)
    {
        übertragen();
        while (!pc.engine.idle()) {
            std::optional<kommunikation::Millis> nächste = pc.engine.nextDeadline();
            const std::optional<kommunikation::Millis> gerätFrist = gerät.nextDeadline();
            if (gerätFrist && (!nächste || *gerätFrist < *nächste))
                nächste = gerätFrist;
            if (!nächste || *nächste > grenze)
                return false;
            pc.now = std::max(pc.now, *nächste);
            gerät.advanceTo(pc.now);
            übertragen();
            pc.engine.advanceTo(pc.now);
            pc.take();
            übertragen();
        }
        return true;
    }

    // Everything the PC wrote, in order.
    QByteArray gesendet;
};
