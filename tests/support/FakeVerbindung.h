#pragma once

// A scripted device link: it records every call and answers with the next scripted outcome.
// Like the real link, every operation finds it busy while bus logging runs.

#include "Klingportverbindung.h"

#include <QList>
#include <QStringList>
#include <functional>

class FakeVerbindung final : public kommunikation::Klingportverbindung {
public:
    using Antwort = kommunikation::Antwort;
    using Ergebnis = kommunikation::Ergebnis;

    QStringList aufrufe;
    QList<Antwort> bilder;           // what KonfigurationLaden answers, in order; then time-outs
    QList<Ergebnis> sendeergebnisse; // what KonfigurationSenden answers, in order; then success
    QList<Antwort> versionen;        // what FirmwareAuslesen answers, in order; then time-outs
    int modus = 0;
    bool bootlader = false;
    bool angenommen = false;                 // ÜbertragungGestartet
    Antwort ruftaste{Ergebnis::Timeout, {}}; // what RufInformationAbholen answers
    QList<Ergebnis> uploadergebnisse;        // what FirmwareSenden and BustreiberSenden answer; then success
    QList<QByteArray> hochgeladen;           // the images handed to them
    bool angenommenNachUpload = false; // what the device's acceptance of an upload makes ÜbertragungGestartet
    // Runs inside every operation that waits, as the event loop would run.
    std::function<void()> währendDesWartens = [] {};

    Ergebnis FirmwareSenden(const QByteArray& daten) override { return hochladen("FirmwareSenden", daten); }
    Ergebnis BustreiberSenden(const QByteArray& daten) override
    {
        return hochladen("BustreiberSenden", daten);
    }
    Ergebnis KonfigurationSenden(const QByteArray&) override
    {
        return warten("KonfigurationSenden",
                      sendeergebnisse.isEmpty() ? Ergebnis::Erfolg : sendeergebnisse.takeFirst());
    }
    Antwort KonfigurationLaden() override { return antworten("KonfigurationLaden", bilder); }
    Antwort FirmwareAuslesen() override { return antworten("FirmwareAuslesen", versionen); }
    Antwort RufInformationAbholen(int a, int b) override
    {
        Antwort antwort = ruftaste;
        antwort.ergebnis = warten(QString("RufInformationAbholen %1 %2").arg(a).arg(b), antwort.ergebnis);
        return antwort;
    }
    Ergebnis LoggenEin() override
    {
        aufrufe.append("LoggenEin");
        if (modus != 0)
            return Ergebnis::Belegt;
        modus = 1;
        return Ergebnis::Erfolg;
    }
    void LoggenAus() override
    {
        aufrufe.append("LoggenAus");
        modus = 0;
    }
    void BootladerResettenSenden() override { aufrufe.append("BootladerResettenSenden"); }
    void EmpfangspufferLeeren() override { aufrufe.append("EmpfangspufferLeeren"); }
    int kommunikationsModus() const override { return modus; }
    bool nurBootlader() const override { return bootlader; }
    void setNurBootlader(bool wert) override { bootlader = wert; }
    bool übertragungGestartet() const override { return angenommen; }
    void setÜbertragungGestartet(bool wert) override { angenommen = wert; }

private:
    Ergebnis hochladen(const QString& name, const QByteArray& daten)
    {
        hochgeladen.append(daten);
        const Ergebnis e =
            warten(name, uploadergebnisse.isEmpty() ? Ergebnis::Erfolg : uploadergebnisse.takeFirst());
        if (e != Ergebnis::Belegt)
            angenommen = angenommenNachUpload;
        return e;
    }
    Ergebnis warten(const QString& name, Ergebnis ergebnis)
    {
        aufrufe.append(name);
        if (modus != 0)
            return Ergebnis::Belegt;
        währendDesWartens();
        return ergebnis;
    }
    Antwort antworten(const QString& name, QList<Antwort>& skript)
    {
        Antwort a = skript.isEmpty() ? Antwort{Ergebnis::Timeout, {}} : skript.takeFirst();
        a.ergebnis = warten(name, a.ergebnis);
        if (!a.erfolgreich())
            a.daten.clear();
        return a;
    }
};
