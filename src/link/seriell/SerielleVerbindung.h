#pragma once

#include "Klingportverbindung.h"
#include "LinkEngine.h"

#include <QObject>
#include <array>
#include <functional>
#include <optional>

class QEventLoop;
class QTimer;

namespace platform {
class Clock;
class SerialPort;
} // namespace platform

// The device link over a serial port, without a window: it owns the three timers and forwards
// every received byte and timer tick to the link engine. An operation sends its request and then
// waits, with the event loop running, until the engine is idle again. What the engine would show
// (caption, progress, the window) is handed on as `anzeige`.
class SerielleVerbindung : public QObject, public kommunikation::Klingportverbindung {
    Q_OBJECT
public:
    // `portpfad` tells which device path a COM number stands for (empty: none).
    SerielleVerbindung(platform::SerialPort& port, platform::Clock& clock,
                       std::function<QString(int)> portpfad, QObject* parent = nullptr);
    ~SerielleVerbindung() override;

    bool ComportÖffnen(int port);
    // Opens a device path directly.
    bool pfadÖffnen(const QString& pfad);
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
    // A caption, a progress value or maximum, or the window to show or hide.
    void anzeige(const kommunikation::Effekt& effekt);

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

    std::array<QTimer*, kommunikation::TimerAnzahl> timers;
    std::array<std::optional<kommunikation::Millis>, kommunikation::TimerAnzahl>
        geplant; // the deadline each QTimer runs for
    QEventLoop* warteschleife = nullptr;
};
