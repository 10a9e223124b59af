#pragma once

// The link engine: the whole protocol of the device link, without I/O and without a clock.
//
// An operation (FirmwareSenden, KonfigurationLaden, ...) moves `KommunikationsModus` out of 0 and
// queues the request. From then on the host feeds it every received character (`receive`) and the
// passing of time (`advanceTo`); both move the state on exactly as the receive event and the timer
// ticks of the device link do, and queue effects: bytes to write, the receive buffer to empty,
// captions, progress and the progress window. The host applies the effects in order and, when
// `KommunikationsModus` is 0 again, takes the outcome with `antwort()`.
//
// The three timers are deadlines in a table (`deadline`), so the host cannot drift out of step:
// it only has to wake the engine at `nextDeadline()`.

#include "Ergebnis.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace kommunikation {

using Millis = qint64;

enum class Timer {
    timeoutimer1,   // 1 s supervision: counts TimeoutZähler, repeats requests, gives up
    SpeichernTimer, // 1 s countdown caption while the device stores an upload
    timeouttimer60, // 60 s limit for the device's final ACK after an upload
    Ruhetimer,      // a write held back until the line has been quiet (see Ruhezeit)
};
constexpr int TimerAnzahl = 4;
// A write that must not meet a stale answer waits until nothing has arrived for Ruhezeit: after the
// log-off, a report the device had begun still comes in (some 20 ms at 19200 baud, plus the
// adapter's latency); after an upload's last ACK, a second ACK for a block sent twice. A line that
// never falls quiet holds the write back for Ruhegrenze at most.
constexpr qint64 Ruhezeit = 100;
constexpr qint64 Ruhegrenze = 1000;
Millis Intervall(Timer timer);

struct Effekt {
    enum class Art {
        EmpfangLeeren,      // discard everything waiting on the receive side
        Schreiben,          // write `bytes` in one write
        Beschriftung,       // status caption := `text`
        FortschrittMaximum, // progress bar maximum := `wert`
        Fortschritt,        // progress bar value := `wert`
        FensterZeigen,      // show the progress window
        FensterVerbergen,   // hide the progress window
        Berichtszeile,      // a complete bus report line (`bytes`, CR LF included) while logging
    };
    Art art;
    QByteArray bytes;
    QString text;
    int wert = 0;

    bool operator==(const Effekt&) const = default;
};

class LinkEngine {
public:
    // The block and query operations: Belegt without any effect while another one runs,
    // otherwise Erfolg once the request is queued; the outcome follows when idle() again.
    Ergebnis FirmwareSenden(QByteArray daten, Millis now);
    Ergebnis BustreiberSenden(QByteArray daten, Millis now);
    Ergebnis KonfigurationSenden(QByteArray daten, Millis now);
    Ergebnis KonfigurationLaden(Millis now);
    Ergebnis FirmwareAuslesen(Millis now);
    Ergebnis RufInformationAbholen(int a, int b, Millis now);
    Ergebnis LoggenEin();
    // The next request waits until the line is quiet, so that the tail of a report is not its answer.
    void LoggenAus(Millis now);
    void BootladerResettenSenden();
    void EmpfangspufferLeeren();

    // Received characters, all waiting at `now`; taken one at a time as the receive event does.
    void receive(QByteArrayView bytes, Millis now);
    // Runs every timer tick that is due up to `now`, in the order of their deadlines.
    void advanceTo(Millis now);
    // The serial port failed (lost, or a write to a closed port): the running operation ends at once.
    void portFailed();

    std::optional<Millis> deadline(Timer timer) const { return deadlines[static_cast<int>(timer)]; }
    std::optional<Millis> nextDeadline() const;
    std::vector<Effekt> takeEffects();

    bool idle() const { return KommunikationsModus == 0; }
    // The outcome of the last operation: the code, and its data only on success.
    Antwort antwort() const;

    int kommunikationsModus() const { return KommunikationsModus; }
    bool übertragungGestartet() const { return ÜbertragungGestartet; }
    void setÜbertragungGestartet(bool wert) { ÜbertragungGestartet = wert; }
    bool nurBootlader() const { return NurBootlader; }
    void setNurBootlader(bool wert) { NurBootlader = wert; }

private:
    enum Modus : int {
        Frei = 0,
        Loggen = 1,
        FirmwareAngefragt = 2,
        BustreiberAngefragt = 3,
        AbbildSendenAngefragt = 4,
        BlöckeSenden = 8,
        AbbildAngefragt = 9,
        BlöckeEmpfangen = 10,
        Speichern = 11,
        EndeErwartet = 12,
        VersionAbfragen = 13,
        RuftasteAbfragen = 14,
    };

    bool blockOperationStarten(QByteArray daten, int modus);
    bool abfrageStarten(int modus);
    void beenden(Ergebnis ergebnis);
    void verbergen();
    void zeichenVerarbeiten(char zeichen, Millis now);
    void blockantwortVerarbeiten(char zeichen, Millis now);
    void rahmenPrüfen(Millis now);
    void supervisionTick(Millis now);
    void speichernTick(Millis now);
    void timeout60Tick();
    // From now on the line counts as quiet once nothing arrived for Ruhezeit, at the latest at Ruhegrenze.
    void ruheBeginnen(Millis now);
    void ruheAbwarten(QByteArray bytes);
    void ruheTick(Millis now);

    // Senders: each writes its bytes in one write.
    void anfrageSenden(const QString& beschriftung, const QByteArray& bytes, Millis now);
    void EmpfangenInitSenden(Millis now);
    void BlockSenden(Millis now);
    void ACKSenden(Millis now);
    void NAKSenden(Millis now);
    void AbbruchSenden();
    void senden(const QByteArray& bytes);

    void start(Timer timer, Millis now);
    void stop(Timer timer);
    void queue(Effekt::Art art, QByteArray bytes = {}, QString text = {}, int wert = 0);
    void beschriften(const QString& text);

    int KommunikationsModus = Frei;
    Ergebnis KommunikationsErgebnis = Ergebnis::Erfolg;
    QByteArray KommunikationsDaten;
    QByteArray Blockpuffer;
    qint16 Wiederholungen = 0;
    qint16 TimeoutZähler = 0;
    quint8 Blocknummer = 1;   // the number on the wire; wraps from 255 to 0 on long uploads
    qsizetype Blockindex = 1; // which block of KommunikationsDaten, never wraps
    qint16 SpeicherSekunden = 0;
    quint8 WarteSekunden = 0;
    bool ÜbertragungGestartet = false;
    bool NurBootlader = false;

    bool liefertDaten = false; // the running or last operation hands data on (read, queries)
    bool fensterSichtbar = false;
    bool empfangGeleert = false; // set by EmpfangspufferLeeren while a received chunk is being taken
    // Since the log-off or an upload's last ACK: when the line last carried something, and until when
    // a write may wait for it to fall quiet. `zurückgehalten` is the write waiting for it.
    std::optional<Millis> ruheBis;
    Millis zuletztEmpfangen = 0;
    std::optional<QByteArray> zurückgehalten;
    std::array<std::optional<Millis>, TimerAnzahl> deadlines;
    std::vector<Effekt> effects;
};

} // namespace kommunikation
