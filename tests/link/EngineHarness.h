#pragma once

// Drives a link engine on a virtual clock and records what it asks of its host.

#include "LinkEngine.h"
#include "Rahmen.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

struct EngineHarness {
    kommunikation::LinkEngine engine;
    kommunikation::Millis now = 0;

    QList<QByteArray> writes;
    QStringList captions;
    QList<int> progress;
    QList<QByteArray> reportLines;
    int progressMaximum = -1;
    int shown = 0;
    int hidden = 0;
    int drains = 0;

    void take()
    {
        using Art = kommunikation::Effekt::Art;
        for (const kommunikation::Effekt& effekt : engine.takeEffects()) {
            switch (effekt.art) {
            case Art::EmpfangLeeren:
                ++drains;
                break;
            case Art::Schreiben:
                writes.append(effekt.bytes);
                break;
            case Art::Beschriftung:
                captions.append(effekt.text);
                break;
            case Art::FortschrittMaximum:
                progressMaximum = effekt.wert;
                break;
            case Art::Fortschritt:
                progress.append(effekt.wert);
                break;
            case Art::FensterZeigen:
                ++shown;
                break;
            case Art::FensterVerbergen:
                ++hidden;
                break;
            case Art::Berichtszeile:
                reportLines.append(effekt.bytes);
                break;
            }
        }
    }

    void receive(const QByteArray& bytes)
    {
        engine.receive(bytes, now);
        take();
    }
    // Hands the bytes over one receive event at a time.
    void receiveEachByte(const QByteArray& bytes)
    {
        for (char c : bytes)
            receive(QByteArray(1, c));
    }
    void advance(kommunikation::Millis ms)
    {
        now += ms;
        engine.advanceTo(now);
        take();
    }
    // Jumps the clock from deadline to deadline until the engine is idle; false if it never gets there.
    bool runUntilIdle(kommunikation::Millis limit = 10 * 60 * 1000)
    {
        while (!engine.idle()) {
            const auto next = engine.nextDeadline();
            if (!next || *next > limit)
                return false;
            now = *next;
            engine.advanceTo(now);
            take();
        }
        return true;
    }

    QByteArray lastWrite() const { return writes.isEmpty() ? QByteArray() : writes.last(); }
    int countWrites(const QByteArray& bytes) const { return int(writes.count(bytes)); }
    QList<QByteArray> takeWrites() { return std::exchange(writes, {}); }
};
