#pragma once

// Drives a link engine on a virtual clock and keeps every effect it asks of its host.

#include "LinkEngine.h"
#include "Xmodem.h"

#include <QStringList>

struct EngineHarness {
    using Effekt = kommunikation::Effekt;
    using Art = Effekt::Art;
    kommunikation::LinkEngine engine;
    kommunikation::Millis now = 0;
    std::vector<Effekt> effekte;

    void take()
    {
        for (Effekt& e : engine.takeEffects())
            effekte.push_back(std::move(e));
    }
    void receive(const QByteArray& bytes)
    {
        engine.receive(bytes, now);
        take();
    }
    void advanceTo(kommunikation::Millis t)
    {
        now = t;
        engine.advanceTo(now);
        take();
    }

    // The bytes, captions or values of the effects of one kind from effect `ab` on.
    template <typename T> QList<T> felder(Art art, T Effekt::*feld, size_t ab = 0) const
    {
        QList<T> liste;
        for (size_t i = ab; i < effekte.size(); ++i)
            if (effekte[i].art == art)
                liste.append(effekte[i].*feld);
        return liste;
    }
    QList<QByteArray> writes(size_t ab = 0) const { return felder(Art::Schreiben, &Effekt::bytes, ab); }
    QStringList captions() const { return felder(Art::Beschriftung, &Effekt::text); }
    QList<int> werte(Art art) const { return felder(art, &Effekt::wert); }
    int count(Art art) const { return int(werte(art).size()); }
};

enum Op { Firmware, Bootlader, Bustreiber, AbbildSenden, AbbildLesen, Version, Ruftaste, Loggen };

// Starts an operation at the harness's time; `daten` for uploads, `a` and `b` for the call button.
inline kommunikation::Ergebnis starten(EngineHarness& h, int op, const QByteArray& daten, int a = 3,
                                       int b = 1)
{
    auto& e = h.engine;
    e.setNurBootlader(op == Bootlader);
    const auto t = h.now;
    const auto ergebnis = op <= Bootlader      ? e.FirmwareSenden(daten, t)
                          : op == Bustreiber   ? e.BustreiberSenden(daten, t)
                          : op == AbbildSenden ? e.KonfigurationSenden(daten, t)
                          : op == AbbildLesen  ? e.KonfigurationLaden(t)
                          : op == Version      ? e.FirmwareAuslesen(t)
                          : op == Ruftaste     ? e.RufInformationAbholen(a, b, t)
                                               : e.LoggenEin();
    h.take();
    return ergebnis;
}
