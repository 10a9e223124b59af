#include "frm_Kommunikation.h"

#include "Clock.h"
#include "SerialPort.h"

#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

using kommunikation::Antwort;
using kommunikation::Ergebnis;
using kommunikation::Timer;

namespace {

QTimer* timerAnlegen(QObject* parent, const char* name)
{
    auto* timer = new QTimer(parent);
    timer->setObjectName(QString::fromUtf8(name));
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    return timer;
}

} // namespace

frm_Kommunikation::frm_Kommunikation(platform::SerialPort& port, platform::Clock& clock,
                                     std::function<QString(int)> portpfad, QWidget* parent)
    : QWidget(parent, Qt::Window), msc_Kommunikation(port), clock(clock), portpfad(std::move(portpfad)),
      lab_Kommunikationsstatus(new QLabel(this)), pgb_Kommunikationsstatus(new QProgressBar(this)),
      timeoutimer1(timerAnlegen(this, "timeoutimer1")), SpeichernTimer(timerAnlegen(this, "SpeichernTimer")),
      timeouttimer60(timerAnlegen(this, "timeouttimer60")), timers{timeoutimer1, SpeichernTimer,
                                                                   timeouttimer60}
{
    setObjectName(QStringLiteral("frm_Kommunikation"));
    setWindowTitle(QStringLiteral("Kommunikation mit Klingport"));
    lab_Kommunikationsstatus->setObjectName(QStringLiteral("lab_Kommunikationsstatus"));
    pgb_Kommunikationsstatus->setObjectName(QStringLiteral("pgb_Kommunikationsstatus"));
    pgb_Kommunikationsstatus->setMinimum(0);
    pgb_Kommunikationsstatus->setTextVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lab_Kommunikationsstatus);
    layout->addWidget(pgb_Kommunikationsstatus);
    setFixedSize(380, 90);

    for (int i = 0; i < kommunikation::TimerAnzahl; ++i)
        connect(timers[i], &QTimer::timeout, this, [this, i] { timerAbgelaufen(static_cast<Timer>(i)); });
    connect(&msc_Kommunikation, &platform::SerialPort::readyRead, this, &frm_Kommunikation::empfangen);
    connect(&msc_Kommunikation, &platform::SerialPort::failed, this, &frm_Kommunikation::portFehlgeschlagen);
    hide();
}

frm_Kommunikation::~frm_Kommunikation()
{
    msc_Kommunikation.close();
}

bool frm_Kommunikation::ComportÖffnen(int port)
{
    msc_Kommunikation.close();
    return msc_Kommunikation.open(portpfad(port));
}

void frm_Kommunikation::ComportSchließen()
{
    msc_Kommunikation.close();
}

bool frm_Kommunikation::portOffen() const
{
    return msc_Kommunikation.isOpen();
}

Ergebnis frm_Kommunikation::FirmwareSenden(const QByteArray& daten)
{
    return warten(engine.FirmwareSenden(daten, clock.now())).ergebnis;
}

Ergebnis frm_Kommunikation::BustreiberSenden(const QByteArray& daten)
{
    return warten(engine.BustreiberSenden(daten, clock.now())).ergebnis;
}

Ergebnis frm_Kommunikation::KonfigurationSenden(const QByteArray& daten)
{
    return warten(engine.KonfigurationSenden(daten, clock.now())).ergebnis;
}

Antwort frm_Kommunikation::KonfigurationLaden()
{
    return warten(engine.KonfigurationLaden(clock.now()));
}

Antwort frm_Kommunikation::FirmwareAuslesen()
{
    return warten(engine.FirmwareAuslesen(clock.now()));
}

Antwort frm_Kommunikation::RufInformationAbholen(int a, int b)
{
    return warten(engine.RufInformationAbholen(a, b, clock.now()));
}

Ergebnis frm_Kommunikation::LoggenEin()
{
    const Ergebnis ergebnis = engine.LoggenEin();
    effekteAnwenden();
    // The request could not be written: logging is not on.
    if (ergebnis == Ergebnis::Erfolg && engine.kommunikationsModus() != 1)
        return Ergebnis::Transferfehler;
    return ergebnis;
}

void frm_Kommunikation::LoggenAus()
{
    engine.LoggenAus();
    effekteAnwenden();
}

void frm_Kommunikation::BootladerResettenSenden()
{
    engine.BootladerResettenSenden();
    effekteAnwenden();
}

void frm_Kommunikation::EmpfangspufferLeeren()
{
    engine.EmpfangspufferLeeren();
    effekteAnwenden();
}

Antwort frm_Kommunikation::warten(Ergebnis gestartet)
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

void frm_Kommunikation::empfangen()
{
    const QByteArray bytes = msc_Kommunikation.readAll();
    if (bytes.isEmpty())
        return;
    engine.receive(bytes, clock.now());
    effekteAnwenden();
}

void frm_Kommunikation::timerAbgelaufen(Timer timer)
{
    // A QTimer may fire a hair before its deadline; the tick belongs to the deadline.
    const kommunikation::Millis deadline = geplant[static_cast<int>(timer)].value_or(0);
    geplant[static_cast<int>(timer)].reset();
    engine.advanceTo(std::max(clock.now(), deadline));
    effekteAnwenden();
}

void frm_Kommunikation::portFehlgeschlagen()
{
    engine.portFailed();
    effekteAnwenden();
    emit portVerloren();
}

void frm_Kommunikation::effekteAnwenden()
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
                lab_Kommunikationsstatus->setText(effekt.text);
                break;
            case kommunikation::Effekt::Art::FortschrittMaximum:
                pgb_Kommunikationsstatus->setMaximum(effekt.wert);
                break;
            case kommunikation::Effekt::Art::Fortschritt:
                pgb_Kommunikationsstatus->setValue(effekt.wert);
                break;
            case kommunikation::Effekt::Art::FensterZeigen:
                show();
                break;
            case kommunikation::Effekt::Art::FensterVerbergen:
                hide();
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

void frm_Kommunikation::timerAbgleichen()
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
