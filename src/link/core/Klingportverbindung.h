#pragma once

#include "Ergebnis.h"

#include <QByteArray>

namespace kommunikation {

// The device link as the commands of the program use it. Each operation waits for its outcome;
// while one runs, any other returns Belegt at once. Tests hand in a scripted link.
class Klingportverbindung {
public:
    virtual ~Klingportverbindung() = default;

    virtual Ergebnis FirmwareSenden(const QByteArray& daten) = 0;
    virtual Ergebnis BustreiberSenden(const QByteArray& daten) = 0;
    virtual Ergebnis KonfigurationSenden(const QByteArray& daten) = 0;
    virtual Antwort KonfigurationLaden() = 0;
    virtual Antwort FirmwareAuslesen() = 0;
    virtual Antwort RufInformationAbholen(int a, int b) = 0;
    virtual Ergebnis LoggenEin() = 0;
    virtual void LoggenAus() = 0;
    virtual void BootladerResettenSenden() = 0;
    virtual void EmpfangspufferLeeren() = 0;

    // 0 idle, 1 bus logging, above: an operation runs.
    virtual int kommunikationsModus() const = 0;
    virtual bool nurBootlader() const = 0;
    virtual void setNurBootlader(bool wert) = 0;
    // Whether the device took the last upload request, so that it may now be half written.
    virtual bool übertragungGestartet() const = 0;
    virtual void setÜbertragungGestartet(bool wert) = 0;
};

// What every device command does first: throw away what waits on the line and switch logging off,
// so a device still logging from an earlier run is quiet. While bus logging runs the command will
// find the link busy; the reports on their way are left alone, so that no log line is cut.
inline void VerbindungVorbereiten(Klingportverbindung& link)
{
    if (link.kommunikationsModus() == 1)
        return;
    link.EmpfangspufferLeeren();
    link.LoggenAus();
}

} // namespace kommunikation
