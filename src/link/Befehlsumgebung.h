#pragma once

#include "Clock.h"
#include "Klingportverbindung.h"
#include "MessageBoxes.h"
#include "Protokoll.h"
#include "Sicherungen.h"

#include <QString>

class QWidget;

// How a command words the outcomes of a transfer: the log line of each (with its leading blank) and
// the message of each but the busy link, which always gets the busy message.
struct Ergebnistexte {
    QString erfolg;
    QString erfolgsmeldung;
    QString timeout;
    QString timeoutmeldung;
    QString transferfehler;
    QString transferfehlermeldung;
    QString belegt;
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
        switch (ergebnis) {
        case Ergebnis::Erfolg:
            protokoll.zeileAnhängen(zeit, texte.erfolg);
            meldungen.show(texte.erfolgsmeldung, platform::Icon::Information);
            return;
        case Ergebnis::Timeout:
            protokoll.zeileAnhängen(zeit, texte.timeout);
            meldungen.show(texte.timeoutmeldung, platform::Icon::Critical);
            return;
        case Ergebnis::Transferfehler:
            protokoll.zeileAnhängen(zeit, texte.transferfehler);
            meldungen.show(texte.transferfehlermeldung, platform::Icon::Critical);
            return;
        case Ergebnis::Belegt:
            protokoll.zeileAnhängen(zeit, texte.belegt);
            belegtMelden();
            return;
        }
    }
    // The link is busy, most likely with bus logging.
    void belegtMelden() const
    {
        meldungen.show(QStringLiteral("Andere Programmteile greifen gerade\r\nauf die Schnittstelle zu. \r\n"
                                      "Beenden Sie ggf. die Logfunktion."),
                       platform::Icon::Exclamation);
    }
};
