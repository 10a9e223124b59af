#pragma once

#include "Klingportverbindung.h"
#include "LinkEngine.h"

#include <QByteArray>
#include <QWidget>
#include <array>
#include <functional>

class QEventLoop;
class QLabel;
class QProgressBar;
class QTimer;

namespace platform {
class Clock;
class SerialPort;
} // namespace platform

// The device link's window: it owns the serial port, the three timers, the status caption and the
// progress bar, and forwards every received byte and timer tick to the link engine. An operation
// sends its request and then waits, with the event loop running, until the engine is idle again.
// The window is shown only while one of the four block operations runs.
class frm_Kommunikation : public QWidget, public kommunikation::Klingportverbindung {
    Q_OBJECT
public:
    // `portpfad` tells which device path a COM number stands for (empty: none).
    frm_Kommunikation(platform::SerialPort& port, platform::Clock& clock,
                      std::function<QString(int)> portpfad, QWidget* parent = nullptr);
    ~frm_Kommunikation() override;

    bool ComportÖffnen(int port);
    void ComportSchließen();
    bool portOffen() const;

    kommunikation::Ergebnis FirmwareSenden(const QByteArray& daten) override;
    kommunikation::Ergebnis BustreiberSenden(const QByteArray& daten) override;
    kommunikation::Ergebnis KonfigurationSenden(const QByteArray& daten) override;
    kommunikation::Antwort KonfigurationLaden() override;
    kommunikation::Antwort FirmwareAuslesen() override;
    kommunikation::Antwort RufInformationAbholen(int a, int b) override;
    kommunikation::Ergebnis LoggenEin() override;
    void LoggenAus() override;
    void BootladerResettenSenden() override;
    void EmpfangspufferLeeren() override;

    int kommunikationsModus() const override { return engine.kommunikationsModus(); }
    bool übertragungGestartet() const override { return engine.übertragungGestartet(); }
    void setÜbertragungGestartet(bool wert) override { engine.setÜbertragungGestartet(wert); }
    bool nurBootlader() const override { return engine.nurBootlader(); }
    void setNurBootlader(bool wert) override { engine.setNurBootlader(wert); }

signals:
    // A complete bus report line, CR LF included, received while logging.
    void berichtszeileEmpfangen(const QByteArray& zeile);
    // The open port broke; the running operation has ended with a transfer error.
    void portVerloren();

private:
    kommunikation::Antwort warten(kommunikation::Ergebnis gestartet);
    void empfangen();
    void timerAbgelaufen(kommunikation::Timer timer);
    void portFehlgeschlagen();
    void effekteAnwenden();
    void timerAbgleichen();

    platform::SerialPort& msc_Kommunikation;
    platform::Clock& clock;
    std::function<QString(int)> portpfad;
    kommunikation::LinkEngine engine;

    QLabel* lab_Kommunikationsstatus;
    QProgressBar* pgb_Kommunikationsstatus;
    QTimer* timeoutimer1;
    QTimer* SpeichernTimer;
    QTimer* timeouttimer60;
    std::array<QTimer*, kommunikation::TimerAnzahl> timers;
    std::array<std::optional<kommunikation::Millis>, kommunikation::TimerAnzahl>
        geplant; // the deadline each QTimer runs for
    QEventLoop* warteschleife = nullptr;
};
