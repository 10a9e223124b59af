#include "SerielleVerbindung.h"

#include "Clock.h"
#include "SerialPort.h"

#include <QEventLoop>
#include <QTimer>

using kommunikation::Antwort;
using kommunikation::Ergebnis;
using kommunikation::Timer;

namespace {

// One name for each of the engine's timers, in their order.
constexpr const char* Timernamen[] = {"timeoutimer1", "SpeichernTimer", "timeouttimer60", "Ruhetimer"};
static_assert(std::size(Timernamen) == kommunikation::TimerAnzahl);

QTimer* timerAnlegen(QObject* parent, const char* name)
{
    auto* timer = new QTimer(parent);
    timer->setObjectName(QString::fromUtf8(name));
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    return timer;
}

} // namespace

SerielleVerbindung::SerielleVerbindung(platform::SerialPort& port, platform::Clock& clock,
                                       std::function<QString(int)> portpfad, QObject* parent)
    : QObject(parent), msc_Kommunikation(port), clock(clock), portpfad(std::move(portpfad))
{
    for (int i = 0; i < kommunikation::TimerAnzahl; ++i) {
        timers[i] = timerAnlegen(this, Timernamen[i]);
        connect(timers[i], &QTimer::timeout, this, [this, i] { timerAbgelaufen(static_cast<Timer>(i)); });
    }
    connect(&msc_Kommunikation, &platform::SerialPort::readyRead, this, &SerielleVerbindung::empfangen);
    connect(&msc_Kommunikation, &platform::SerialPort::failed, this, &SerielleVerbindung::portFehlgeschlagen);
}

SerielleVerbindung::~SerielleVerbindung()
{
    msc_Kommunikation.close();
}

bool SerielleVerbindung::ComportÖffnen(int port)
{
    return pfadÖffnen(portpfad(port));
}

bool SerielleVerbindung::pfadÖffnen(const QString& pfad)
{
    msc_Kommunikation.close();
    return msc_Kommunikation.open(pfad);
}

void SerielleVerbindung::ComportSchließen()
{
    msc_Kommunikation.close();
}

bool SerielleVerbindung::portOffen() const
{
    return msc_Kommunikation.isOpen();
}

Ergebnis SerielleVerbindung::FirmwareSenden(const QByteArray& daten)
{
    return warten(engine.FirmwareSenden(daten, clock.now())).ergebnis;
}

Ergebnis SerielleVerbindung::BustreiberSenden(const QByteArray& daten)
{
    return warten(engine.BustreiberSenden(daten, clock.now())).ergebnis;
}

Ergebnis SerielleVerbindung::KonfigurationSenden(const QByteArray& daten)
{
    return warten(engine.KonfigurationSenden(daten, clock.now())).ergebnis;
}

Antwort SerielleVerbindung::KonfigurationLaden()
{
    return warten(engine.KonfigurationLaden(clock.now()));
}

Antwort SerielleVerbindung::FirmwareAuslesen()
{
    return warten(engine.FirmwareAuslesen(clock.now()));
}

Antwort SerielleVerbindung::RufInformationAbholen(int a, int b)
{
    return warten(engine.RufInformationAbholen(a, b, clock.now()));
}

Ergebnis SerielleVerbindung::LoggenEin()
{
    const Ergebnis ergebnis = engine.LoggenEin();
    effekteAnwenden();
    // The request could not be written: logging is not on.
    if (ergebnis == Ergebnis::Erfolg && engine.kommunikationsModus() != 1)
        return Ergebnis::Transferfehler;
    return ergebnis;
}

void SerielleVerbindung::LoggenAus()
{
    engine.LoggenAus(clock.now());
    effekteAnwenden();
}

void SerielleVerbindung::BootladerResettenSenden()
{
    engine.BootladerResettenSenden();
    effekteAnwenden();
}

void SerielleVerbindung::EmpfangspufferLeeren()
{
    engine.EmpfangspufferLeeren();
    effekteAnwenden();
}

Antwort SerielleVerbindung::warten(Ergebnis gestartet)
{
    if (gestartet == Ergebnis::Belegt)
        return {Ergebnis::Belegt, {}};
    effekteAnwenden();
    if (!engine.idle()) {
        // Runs the receive handler and the timers until the engine is idle again.
        QEventLoop schleife;
        QEventLoop* äußere = std::exchange(warteschleife, &schleife);
        schleife.exec();
        warteschleife = äußere;
    }
    return engine.antwort();
}

void SerielleVerbindung::empfangen()
{
    const QByteArray bytes = msc_Kommunikation.readAll();
    if (bytes.isEmpty())
        return;
    engine.receive(bytes, clock.now());
    effekteAnwenden();
}

void SerielleVerbindung::timerAbgelaufen(Timer timer)
{
    // A QTimer may fire a hair before its deadline; the tick belongs to the deadline.
    const kommunikation::Millis deadline = geplant[static_cast<int>(timer)].value_or(0);
    geplant[static_cast<int>(timer)].reset();
    engine.advanceTo(std::max(clock.now(), deadline));
    effekteAnwenden();
}

void SerielleVerbindung::portFehlgeschlagen()
{
    engine.portFailed();
    effekteAnwenden();
    emit portVerloren();
}

void SerielleVerbindung::effekteAnwenden()
{
    // A failed write ends the operation, which may queue more effects (hiding the window).
    for (auto effekte = engine.takeEffects(); !effekte.empty(); effekte = engine.takeEffects()) {
        for (const kommunikation::Effekt& effekt : effekte) {
            switch (effekt.art) {
            case kommunikation::Effekt::Art::EmpfangLeeren:
                msc_Kommunikation.clearInput();
                break;
            case kommunikation::Effekt::Art::Schreiben:
                if (!msc_Kommunikation.write(effekt.bytes))
                    engine.portFailed();
                break;
            case kommunikation::Effekt::Art::Beschriftung:
            case kommunikation::Effekt::Art::FortschrittMaximum:
            case kommunikation::Effekt::Art::Fortschritt:
            case kommunikation::Effekt::Art::FensterZeigen:
            case kommunikation::Effekt::Art::FensterVerbergen:
                emit anzeige(effekt);
                break;
            case kommunikation::Effekt::Art::Berichtszeile:
                emit berichtszeileEmpfangen(effekt.bytes);
                break;
            }
        }
    }
    timerAbgleichen();
    if (warteschleife && engine.idle())
        warteschleife->quit();
}

void SerielleVerbindung::timerAbgleichen()
{
    const kommunikation::Millis now = clock.now();
    for (int i = 0; i < kommunikation::TimerAnzahl; ++i) {
        const auto deadline = engine.deadline(static_cast<Timer>(i));
        if (deadline == geplant[i])
            continue;
        geplant[i] = deadline;
        if (deadline)
            timers[i]->start(static_cast<int>(std::max<kommunikation::Millis>(0, *deadline - now)));
        else
            timers[i]->stop();
    }
}
