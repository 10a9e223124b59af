#pragma once

#include "Clock.h"
#include "Klingportverbindung.h"
#include "MessageBoxes.h"
#include "Protokoll.h"
#include "Sicherungen.h"

#include <QString>
#include <functional>

class QWidget;

// How a command words an outcome of a transfer: its log line (with its leading blank) and its message.
struct Ergebnistext {
    QString zeile;
    QString meldung;
};
struct Ergebnistexte {
    Ergebnistext erfolg;
    Ergebnistext timeout;
    Ergebnistext transferfehler;
    QString belegt; // the log line; the message is always the busy message
};

// What a device command works with: the link, the main window it locks while the device is busy,
// the message boxes, the log with the clock of its time stamps, and the backups made before a store.
struct Befehlsumgebung {
    kommunikation::Klingportverbindung& link;
    QWidget& hauptfenster;
    platform::MessageBoxes& meldungen;
    platform::Protokoll& protokoll;
    const platform::WallClock& uhr;
    platform::Sicherungen& sicherungen;
    // Told every whole image the device holds now, read from it or stored into it.
    std::function<void(const QByteArray&)> imKlingport = [](const QByteArray&) {};

    QDateTime stempel() const { return uhr.now(); }
    void loggen(const QDateTime& zeit, const char* meldung) const
    {
        protokoll.zeileAnhängen(zeit, QString::fromUtf8(meldung));
    }
    void melden(const char* text, platform::Icon icon) const
    {
        meldungen.show(QString::fromUtf8(text), icon);
    }
    // Logs the outcome of a transfer and tells it: information for success, critical for a failure.
    void ergebnisMelden(kommunikation::Ergebnis ergebnis, const Ergebnistexte& texte) const
    {
        using kommunikation::Ergebnis;
        const QDateTime zeit = stempel();
        if (ergebnis == Ergebnis::Belegt) {
            protokoll.zeileAnhängen(zeit, texte.belegt);
            belegtMelden();
            return;
        }
        const bool erfolg = ergebnis == Ergebnis::Erfolg;
        const Ergebnistext& text = erfolg                          ? texte.erfolg
                                   : ergebnis == Ergebnis::Timeout ? texte.timeout
                                                                   : texte.transferfehler;
        protokoll.zeileAnhängen(zeit, text.zeile);
        meldungen.show(text.meldung, erfolg ? platform::Icon::Information : platform::Icon::Critical);
    }
    // The link is busy, most likely with bus logging.
    void belegtMelden() const
    {
        meldungen.show(QStringLiteral("Andere Programmteile greifen gerade\r\nauf die Schnittstelle zu. \r\n"
                                      "Beenden Sie ggf. die Logfunktion."),
                       platform::Icon::Exclamation);
    }
};
