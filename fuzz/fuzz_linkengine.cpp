// The link engine in every operation, fed any received bytes, timer ticks, waits and a failing
// port: it never hangs, every operation ends with a valid code, a failed one hands on no data, no
// step of the protocol writes more than once, and every report it hands on ends at its first CR LF.
//
// Input: byte 0 picks the operation, bytes 1 and 2 the size of an upload; then pairs of
// (what, value): receive the value as a byte, tick the next timer, wait value milliseconds short of
// it, or (value 255) lose the port.

#include "Eigenschaft.h"
#include "LinkEngine.h"

#include <QByteArray>

using namespace kommunikation;

namespace {

// Takes the engine's effects; how many writes they hold, and each report checked.
int schreibvorgänge(LinkEngine& engine)
{
    int anzahl = 0;
    for (const Effekt& e : engine.takeEffects()) {
        if (e.art == Effekt::Art::Schreiben)
            ++anzahl;
        if (e.art == Effekt::Art::Berichtszeile)
            EIGENSCHAFT(e.bytes.endsWith("\r\n") && e.bytes.indexOf("\r\n") == e.bytes.size() - 2);
    }
    return anzahl;
}

Ergebnis starten(LinkEngine& engine, quint8 operation, int uploadgröße)
{
    QByteArray upload(uploadgröße, '\0');
    for (int i = 0; i < uploadgröße; ++i)
        upload[i] = char(i * 13 + 7);
    switch (operation % 7) {
    case 0:
        return engine.FirmwareSenden(upload, 0);
    case 1:
        return engine.BustreiberSenden(upload, 0);
    case 2:
        return engine.KonfigurationSenden(upload, 0);
    case 3:
        return engine.KonfigurationLaden(0);
    case 4:
        return engine.FirmwareAuslesen(0);
    case 5:
        return engine.RufInformationAbholen(12, 3, 0);
    default:
        return engine.LoggenEin();
    }
}

// Runs the tick at the next deadline: one write at most for each timer due then.
void ticken(LinkEngine& engine, Millis& jetzt)
{
    const std::optional<Millis> fällig = engine.nextDeadline();
    if (!fällig)
        return;
    int timer = 0;
    for (int t = 0; t < TimerAnzahl; ++t)
        timer += engine.deadline(static_cast<Timer>(t)) == fällig ? 1 : 0;
    jetzt = std::max(jetzt, *fällig);
    engine.advanceTo(jetzt);
    EIGENSCHAFT(schreibvorgänge(engine) <= timer);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t größe)
{
    if (größe < 3)
        return 0;
    LinkEngine engine;
    const int uploadgröße = ((daten[1] << 8) | daten[2]) % 3000;
    EIGENSCHAFT(starten(engine, daten[0], uploadgröße) == Ergebnis::Erfolg);
    schreibvorgänge(engine);

    Millis jetzt = 0;
    for (size_t i = 3; i + 1 < größe; i += 2) {
        const quint8 wert = daten[i + 1];
        switch (daten[i] % 3) {
        case 0: {
            const char zeichen = char(wert);
            engine.receive(QByteArrayView(&zeichen, 1), jetzt);
            EIGENSCHAFT(schreibvorgänge(engine) <= 1);
            break;
        }
        case 1:
            if (wert == 255) {
                engine.portFailed();
                schreibvorgänge(engine);
            } else {
                ticken(engine, jetzt);
            }
            break;
        default: {
            const std::optional<Millis> fällig = engine.nextDeadline();
            jetzt = fällig ? std::max(jetzt, std::min(jetzt + wert, *fällig - 1)) : jetzt + wert;
            engine.advanceTo(jetzt);
            EIGENSCHAFT(schreibvorgänge(engine) == 0);
            break;
        }
        }
    }

    // Without further input every operation ends by its own time limits.
    if (engine.kommunikationsModus() == 1) {
        engine.LoggenAus(jetzt);
        schreibvorgänge(engine);
    }
    for (int schritt = 0; schritt < 10000 && !engine.idle(); ++schritt)
        ticken(engine, jetzt);
    EIGENSCHAFT(engine.idle());
    const Antwort antwort = engine.antwort();
    const int code = static_cast<int>(antwort.ergebnis);
    EIGENSCHAFT(code >= 0 && code <= 3);
    EIGENSCHAFT(antwort.ergebnis == Ergebnis::Erfolg || antwort.daten.isEmpty());
    return 0;
}
