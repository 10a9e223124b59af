#include "LinkEngine.h"

#include "Rahmen.h"

#include <algorithm>

namespace kommunikation {

namespace {

constexpr Millis Sekunde = 1000;

// A number as the device link's captions show it: a leading blank stands where a minus sign would.
QString mitVorzeichenstelle(int zahl)
{
    return zahl >= 0 ? QStringLiteral(" %1").arg(zahl) : QString::number(zahl);
}

bool endetMitZeilenende(const QByteArray& text)
{
    return text.endsWith("\r\n");
}

} // namespace

Millis Intervall(Timer timer)
{
    return timer == Timer::timeouttimer60 ? 60 * Sekunde : timer == Timer::Ruhetimer ? Ruhezeit : Sekunde;
}

// ---- operations -------------------------------------------------------------------------------

Ergebnis LinkEngine::FirmwareSenden(QByteArray daten, Millis now)
{
    if (!blockOperationStarten(std::move(daten), FirmwareAngefragt))
        return Ergebnis::Belegt;
    SpeicherSekunden = 5;
    anfrageSenden(QStringLiteral("Firmwaresenden Initialisierung"), Anfrage::FirmwareInit(NurBootlader), now);
    return Ergebnis::Erfolg;
}

Ergebnis LinkEngine::BustreiberSenden(QByteArray daten, Millis now)
{
    if (!blockOperationStarten(std::move(daten), BustreiberAngefragt))
        return Ergebnis::Belegt;
    SpeicherSekunden = 50;
    anfrageSenden(QStringLiteral("Bustreibersenden Initialisierung"), Anfrage::BustreiberInit(), now);
    return Ergebnis::Erfolg;
}

Ergebnis LinkEngine::KonfigurationSenden(QByteArray daten, Millis now)
{
    if (!blockOperationStarten(std::move(daten), AbbildSendenAngefragt))
        return Ergebnis::Belegt;
    // The device stores an image within a second or two; count from 0 rather than from whatever
    // an earlier upload left behind.
    SpeicherSekunden = 0;
    anfrageSenden(QStringLiteral("Konfigurationsenden Initialisierung"), Anfrage::KonfigurationSendenInit(),
                  now);
    return Ergebnis::Erfolg;
}

Ergebnis LinkEngine::KonfigurationLaden(Millis now)
{
    if (!blockOperationStarten({}, AbbildAngefragt))
        return Ergebnis::Belegt;
    WarteSekunden = 3;
    anfrageSenden(QStringLiteral("Konfigurationladen Initialisierung"), Anfrage::KonfigurationLadenInit(),
                  now);
    return Ergebnis::Erfolg;
}

Ergebnis LinkEngine::FirmwareAuslesen(Millis now)
{
    if (!abfrageStarten(VersionAbfragen))
        return Ergebnis::Belegt;
    anfrageSenden(QStringLiteral("Firmwareversionauslesen Initialisierung"), Anfrage::FirmwareAuslesen(),
                  now);
    return Ergebnis::Erfolg;
}

Ergebnis LinkEngine::RufInformationAbholen(int a, int b, Millis now)
{
    if (!abfrageStarten(RuftasteAbfragen))
        return Ergebnis::Belegt;
    anfrageSenden(QStringLiteral("RuftastenInformationAbholen Initialisierung"),
                  Anfrage::RuftastenInformation(a, b), now);
    return Ergebnis::Erfolg;
}

Ergebnis LinkEngine::LoggenEin()
{
    if (KommunikationsModus != Frei)
        return Ergebnis::Belegt;
    KommunikationsDaten.clear();
    KommunikationsModus = Loggen;
    liefertDaten = false;
    beschriften(QStringLiteral("Loggen EIN"));
    EmpfangspufferLeeren();
    senden(Anfrage::LoggenEin());
    return Ergebnis::Erfolg;
}

void LinkEngine::LoggenAus(Millis now)
{
    beschriften(QStringLiteral("Loggen AUS"));
    senden(Anfrage::LoggenAus());
    // Cutting a running transfer short is an abort, not a success.
    if (KommunikationsModus != Frei && KommunikationsModus != Loggen)
        beenden(Ergebnis::Transferfehler);
    for (auto& deadline : deadlines)
        deadline.reset();
    KommunikationsModus = Frei;
    ruheBeginnen(now);
}

void LinkEngine::BootladerResettenSenden()
{
    EmpfangspufferLeeren();
    senden(Anfrage::BootladerResetten());
}

void LinkEngine::EmpfangspufferLeeren()
{
    queue(Effekt::Art::EmpfangLeeren);
    Blockpuffer.clear();
    empfangGeleert = true;
}

bool LinkEngine::blockOperationStarten(QByteArray daten, int modus)
{
    if (KommunikationsModus != Frei)
        return false;
    KommunikationsDaten = std::move(daten);
    Wiederholungen = 0;
    TimeoutZähler = 0;
    Blocknummer = 1;
    Blockindex = 1;
    liefertDaten = modus == AbbildAngefragt;
    queue(Effekt::Art::FortschrittMaximum, {}, {},
          modus == AbbildAngefragt ? Abbildgröße : static_cast<int>(KommunikationsDaten.size()));
    queue(Effekt::Art::Fortschritt, {}, {}, 0);
    queue(Effekt::Art::FensterZeigen);
    fensterSichtbar = true;
    KommunikationsErgebnis = Ergebnis::Erfolg;
    KommunikationsModus = modus;
    return true;
}

bool LinkEngine::abfrageStarten(int modus)
{
    if (KommunikationsModus != Frei)
        return false;
    KommunikationsDaten.clear();
    Wiederholungen = 0;
    TimeoutZähler = 0;
    liefertDaten = true;
    KommunikationsErgebnis = Ergebnis::Erfolg;
    KommunikationsModus = modus;
    return true;
}

void LinkEngine::beenden(Ergebnis ergebnis)
{
    verbergen();
    zurückgehalten.reset();
    KommunikationsErgebnis = ergebnis;
    KommunikationsModus = Frei;
}

void LinkEngine::verbergen()
{
    if (fensterSichtbar)
        queue(Effekt::Art::FensterVerbergen);
    fensterSichtbar = false;
}

Antwort LinkEngine::antwort() const
{
    const bool mitDaten = liefertDaten && KommunikationsErgebnis == Ergebnis::Erfolg;
    return {KommunikationsErgebnis, mitDaten ? KommunikationsDaten : QByteArray()};
}

void LinkEngine::portFailed()
{
    if (KommunikationsModus == Frei)
        return;
    for (auto& deadline : deadlines)
        deadline.reset();
    Blockpuffer.clear();
    ruheBis.reset();
    if (KommunikationsModus == Loggen)
        KommunikationsModus = Frei;
    else
        beenden(Ergebnis::Transferfehler);
}

// ---- receive event ----------------------------------------------------------------------------

void LinkEngine::receive(QByteArrayView bytes, Millis now)
{
    // Emptying the receive buffer while a chunk is taken throws away the rest of it: those
    // characters were waiting in the buffer.
    if (ruheBis && !bytes.isEmpty()) {
        zuletztEmpfangen = now;
        // Whatever arrives while a write waits for quiet is stale; it only puts the write off.
        if (zurückgehalten) {
            deadlines[static_cast<int>(Timer::Ruhetimer)] = std::min(now + Ruhezeit, *ruheBis);
            return;
        }
    }
    empfangGeleert = false;
    for (qsizetype i = 0; i < bytes.size() && !empfangGeleert; ++i)
        zeichenVerarbeiten(bytes[i], now);
    empfangGeleert = false;
}

void LinkEngine::zeichenVerarbeiten(char zeichen, Millis now)
{
    switch (KommunikationsModus) {
    case Frei:
        return;
    case Loggen:
        KommunikationsDaten.append(zeichen);
        if (endetMitZeilenende(KommunikationsDaten)) {
            queue(Effekt::Art::Berichtszeile, KommunikationsDaten);
            KommunikationsDaten.clear();
        }
        return;
    case FirmwareAngefragt:
    case BustreiberAngefragt:
    case AbbildSendenAngefragt:
        if (zeichen == Zeichen::NAK) {
            stop(Timer::timeoutimer1);
            if (KommunikationsModus != AbbildSendenAngefragt)
                ÜbertragungGestartet = true;
            KommunikationsModus = BlöckeSenden;
            BlockSenden(now);
        } else if (zeichen == Zeichen::CAN) {
            beenden(Ergebnis::Transferfehler);
            stop(Timer::timeoutimer1);
        }
        return;
    case BlöckeSenden:
        blockantwortVerarbeiten(zeichen, now);
        return;
    case AbbildAngefragt:
        // The device has started sending; the character itself belongs to the first frame.
        beschriften(QStringLiteral("Daten werden ausgelesen"));
        KommunikationsModus = BlöckeEmpfangen;
        [[fallthrough]];
    case BlöckeEmpfangen:
        // A CAN where a frame would begin is the device's abort; inside a frame it is data.
        if (zeichen == Zeichen::CAN && Blockpuffer.isEmpty()) {
            beenden(Ergebnis::Transferfehler);
            stop(Timer::timeoutimer1);
            return;
        }
        Blockpuffer.append(zeichen);
        if (Blockpuffer.size() == Rahmengröße)
            rahmenPrüfen(now);
        return;
    case Speichern:
        if (zeichen == Zeichen::ACK || zeichen == Zeichen::CAN) {
            stop(Timer::timeoutimer1);
            stop(Timer::SpeichernTimer);
            stop(Timer::timeouttimer60);
            beenden(zeichen == Zeichen::ACK ? Ergebnis::Erfolg : Ergebnis::Transferfehler);
        }
        return;
    case EndeErwartet:
        if (zeichen == Zeichen::EOT) {
            stop(Timer::timeoutimer1);
            ACKSenden(now);
            stop(Timer::timeoutimer1);
            beenden(Ergebnis::Erfolg);
        } else if (zeichen == Zeichen::CAN) {
            beenden(Ergebnis::Transferfehler);
            stop(Timer::timeoutimer1);
        }
        return;
    case VersionAbfragen:
    case RuftasteAbfragen:
        KommunikationsDaten.append(zeichen);
        if (endetMitZeilenende(KommunikationsDaten)) {
            stop(Timer::timeoutimer1);
            beenden(Ergebnis::Erfolg);
        }
        return;
    }
}

void LinkEngine::blockantwortVerarbeiten(char zeichen, Millis now)
{
    if (zeichen == Zeichen::ACK) {
        stop(Timer::timeoutimer1);
        Wiederholungen = 0;
        TimeoutZähler = 0;
        ++Blocknummer;
        ++Blockindex;
        BlockSenden(now);
    } else if (zeichen == Zeichen::NAK) {
        stop(Timer::timeoutimer1);
        if (++Wiederholungen >= 3) {
            verbergen();
            KommunikationsErgebnis = Ergebnis::Transferfehler;
            AbbruchSenden();
            KommunikationsModus = Frei;
        } else {
            BlockSenden(now);
        }
    } else if (zeichen == Zeichen::CAN) {
        beenden(Ergebnis::Transferfehler);
        stop(Timer::timeoutimer1);
    }
}

void LinkEngine::rahmenPrüfen(Millis now)
{
    stop(Timer::timeoutimer1);
    if (RahmenGültig(Blockpuffer, Blocknummer)) {
        Wiederholungen = 0;
        TimeoutZähler = 0;
        KommunikationsDaten.append(Blockpuffer.sliced(3, Blockgröße));
        Blockpuffer.clear();
        queue(Effekt::Art::Fortschritt, {}, {}, Blocknummer * Blockgröße);
        ++Blocknummer;
        ++Blockindex;
        if (Blocknummer == AbbildBlöcke + 1)
            KommunikationsModus = EndeErwartet;
        ACKSenden(now);
    } else if (++Wiederholungen >= 3) {
        verbergen();
        KommunikationsErgebnis = Ergebnis::Transferfehler;
        AbbruchSenden();
        KommunikationsModus = Frei;
    } else {
        Blockpuffer.clear();
        NAKSenden(now);
    }
}

// ---- timer ticks ------------------------------------------------------------------------------

void LinkEngine::advanceTo(Millis now)
{
    for (;;) {
        auto fällig = std::min_element(deadlines.begin(), deadlines.end(),
                                       [](const auto& a, const auto& b) { return a && (!b || *a < *b); });
        if (!*fällig || **fällig > now)
            return;
        const Millis tick = **fällig;
        fällig->reset(); // each timer switches itself off at the start of its tick
        switch (static_cast<Timer>(fällig - deadlines.begin())) {
        case Timer::timeoutimer1:
            supervisionTick(tick);
            break;
        case Timer::SpeichernTimer:
            speichernTick(tick);
            break;
        case Timer::timeouttimer60:
            timeout60Tick();
            break;
        case Timer::Ruhetimer:
            ruheTick(tick);
            break;
        }
    }
}

void LinkEngine::supervisionTick(Millis now)
{
    if (KommunikationsModus == Frei || KommunikationsModus == Loggen)
        return;
    ++TimeoutZähler;
    if (TimeoutZähler >= 8) {
        AbbruchSenden();
        beenden(Ergebnis::Timeout);
        return;
    }
    const bool wiederholen = TimeoutZähler == 2 || TimeoutZähler == 4 || TimeoutZähler == 6;
    switch (KommunikationsModus) {
    case FirmwareAngefragt:
    case BustreiberAngefragt:
    case AbbildSendenAngefragt:
        if (TimeoutZähler == 2)
            beenden(Ergebnis::Timeout);
        else
            start(Timer::timeoutimer1, now);
        return;
    case BlöckeSenden:
        if (wiederholen)
            BlockSenden(now);
        else
            start(Timer::timeoutimer1, now);
        return;
    case AbbildAngefragt:
        EmpfangenInitSenden(now);
        return;
    case BlöckeEmpfangen:
        if (wiederholen)
            NAKSenden(now);
        else
            start(Timer::timeoutimer1, now);
        return;
    case EndeErwartet:
        // A device that never ends its transmission runs into the 8-tick limit like every transfer.
        start(Timer::timeoutimer1, now);
        return;
    case VersionAbfragen:
        if (TimeoutZähler == 2)
            beenden(KommunikationsDaten.toLower().contains("koppler") ? Ergebnis::Erfolg : Ergebnis::Timeout);
        else
            start(Timer::timeoutimer1, now);
        return;
    case RuftasteAbfragen:
        if (TimeoutZähler == 3)
            beenden(Ergebnis::Timeout);
        else
            start(Timer::timeoutimer1, now);
        return;
    default: // storing: the supervision timer stays off
        return;
    }
}

void LinkEngine::speichernTick(Millis now)
{
    beschriften(QStringLiteral("Klingport speichert Daten. Dauer ca.") +
                mitVorzeichenstelle(SpeicherSekunden) + QStringLiteral(" Sekunden"));
    if (SpeicherSekunden != 0) {
        --SpeicherSekunden;
        start(Timer::SpeichernTimer, now);
    }
}

void LinkEngine::timeout60Tick()
{
    stop(Timer::SpeichernTimer);
    beenden(Ergebnis::Timeout);
}

void LinkEngine::ruheTick(Millis now)
{
    ruheBis.reset();
    if (!zurückgehalten)
        return;
    EmpfangspufferLeeren();
    senden(*std::exchange(zurückgehalten, std::nullopt));
    if (KommunikationsModus == BlöckeSenden) { // the EOT
        KommunikationsModus = Speichern;
        start(Timer::SpeichernTimer, now);
        start(Timer::timeouttimer60, now);
    } else {
        start(Timer::timeoutimer1, now);
    }
}

// ---- senders ----------------------------------------------------------------------------------

void LinkEngine::anfrageSenden(const QString& beschriftung, const QByteArray& bytes, Millis now)
{
    beschriften(beschriftung);
    EmpfangspufferLeeren();
    if (ruheBis && now < std::min(zuletztEmpfangen + Ruhezeit, *ruheBis)) {
        ruheAbwarten(bytes);
        return;
    }
    ruheBis.reset();
    senden(bytes);
    start(Timer::timeoutimer1, now);
}

void LinkEngine::ruheBeginnen(Millis now)
{
    ruheBis = now + Ruhegrenze;
    zuletztEmpfangen = now;
}

void LinkEngine::ruheAbwarten(QByteArray bytes)
{
    zurückgehalten = std::move(bytes);
    deadlines[static_cast<int>(Timer::Ruhetimer)] = std::min(zuletztEmpfangen + Ruhezeit, *ruheBis);
}

void LinkEngine::EmpfangenInitSenden(Millis now)
{
    beschriften(QStringLiteral("Warte auf Daten. Noch ") + mitVorzeichenstelle(WarteSekunden) +
                QStringLiteral(" Sekunden"));
    if (WarteSekunden > 0)
        --WarteSekunden;
    EmpfangspufferLeeren();
    senden(QByteArray(1, Zeichen::NAK));
    start(Timer::timeoutimer1, now);
}

void LinkEngine::BlockSenden(Millis now)
{
    beschriften(QStringLiteral("Daten werden übertragen"));
    const qsizetype bereitsGesendet = (Blockindex - 1) * Blockgröße;
    if (KommunikationsDaten.size() - bereitsGesendet <= 0) {
        queue(Effekt::Art::Fortschritt, {}, {}, static_cast<int>(KommunikationsDaten.size()));
        // Only the ACK to EOT confirms the store: a second ACK for the last block, sent twice because
        // its ACK came late, must be over before EOT goes out.
        ruheBeginnen(now);
        ruheAbwarten(QByteArray(1, Zeichen::EOT)); // EndeSenden
        return;
    }
    queue(Effekt::Art::Fortschritt, {}, {}, static_cast<int>(bereitsGesendet));
    const QByteArray rahmen = Blockrahmen(Blocknummer, Blockdaten(KommunikationsDaten, Blockindex));
    EmpfangspufferLeeren();
    senden(rahmen);
    start(Timer::timeoutimer1, now);
}

void LinkEngine::ACKSenden(Millis now)
{
    EmpfangspufferLeeren();
    senden(QByteArray(1, Zeichen::ACK));
    start(Timer::timeoutimer1, now);
}

void LinkEngine::NAKSenden(Millis now)
{
    EmpfangspufferLeeren();
    senden(QByteArray(1, Zeichen::NAK));
    start(Timer::timeoutimer1, now);
}

void LinkEngine::AbbruchSenden()
{
    senden(Anfrage::Abbruch());
}

void LinkEngine::senden(const QByteArray& bytes)
{
    queue(Effekt::Art::Schreiben, bytes);
}

// ---- plumbing ---------------------------------------------------------------------------------

void LinkEngine::start(Timer timer, Millis now)
{
    deadlines[static_cast<int>(timer)] = now + Intervall(timer);
}

void LinkEngine::stop(Timer timer)
{
    deadlines[static_cast<int>(timer)].reset();
}

std::optional<Millis> LinkEngine::nextDeadline() const
{
    std::optional<Millis> nächste;
    for (const auto& deadline : deadlines)
        if (deadline && (!nächste || *deadline < *nächste))
            nächste = deadline;
    return nächste;
}

std::vector<Effekt> LinkEngine::takeEffects()
{
    return std::exchange(effects, {});
}

void LinkEngine::queue(Effekt::Art art, QByteArray bytes, QString text, int wert)
{
    effects.push_back({art, std::move(bytes), std::move(text), wert});
}

void LinkEngine::beschriften(const QString& text)
{
    queue(Effekt::Art::Beschriftung, {}, text);
}

} // namespace kommunikation
