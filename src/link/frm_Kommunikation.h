#pragma once

#include "SerielleVerbindung.h"

#include <QWidget>

class QLabel;
class QProgressBar;

// The device link's window: the serial link with its status caption and progress bar. The window
// is shown only while one of the four block operations runs.
class frm_Kommunikation : public QWidget, public kommunikation::Klingportverbindung {
    Q_OBJECT
public:
    // `portpfad` tells which device path a COM number stands for (empty: none).
    frm_Kommunikation(platform::SerialPort& port, platform::Clock& clock,
                      std::function<QString(int)> portpfad, QWidget* parent = nullptr);

    bool ComportÖffnen(int port) { return link.ComportÖffnen(port); }
    void ComportSchließen() { link.ComportSchließen(); }
    bool portOffen() const { return link.portOffen(); }

    kommunikation::Ergebnis FirmwareSenden(const QByteArray& d) override { return link.FirmwareSenden(d); }
    kommunikation::Ergebnis BustreiberSenden(const QByteArray& d) override
    {
        return link.BustreiberSenden(d);
    }
    kommunikation::Ergebnis KonfigurationSenden(const QByteArray& d) override
    {
        return link.KonfigurationSenden(d);
    }
    kommunikation::Antwort KonfigurationLaden() override { return link.KonfigurationLaden(); }
    kommunikation::Antwort FirmwareAuslesen() override { return link.FirmwareAuslesen(); }
    kommunikation::Antwort RufInformationAbholen(int a, int b) override
    {
        return link.RufInformationAbholen(a, b);
    }
    kommunikation::Ergebnis LoggenEin() override { return link.LoggenEin(); }
    void LoggenAus() override { link.LoggenAus(); }
    void BootladerResettenSenden() override { link.BootladerResettenSenden(); }
    void EmpfangspufferLeeren() override { link.EmpfangspufferLeeren(); }

    int kommunikationsModus() const override { return link.kommunikationsModus(); }
    bool übertragungGestartet() const override { return link.übertragungGestartet(); }
    void setÜbertragungGestartet(bool wert) override { link.setÜbertragungGestartet(wert); }
    bool nurBootlader() const override { return link.nurBootlader(); }
    void setNurBootlader(bool wert) override { link.setNurBootlader(wert); }

signals:
    // A complete bus report line, CR LF included, received while logging.
    void berichtszeileEmpfangen(const QByteArray& zeile);
    // The open port broke; the running operation has ended with a transfer error.
    void portVerloren();

private:
    void anzeigen(const kommunikation::Effekt& effekt);

    SerielleVerbindung link;
    QLabel* lab_Kommunikationsstatus;
    QProgressBar* pgb_Kommunikationsstatus;
};
