#pragma once

#include "Clock.h"
#include "Klingportverbindung.h"
#include "MessageBoxes.h"
#include "Protokoll.h"
#include "Sicherungen.h"

#include <QString>

class QWidget;

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
    // The link is busy, most likely with bus logging.
    void belegtMelden() const
    {
        meldungen.show(QStringLiteral("Andere Programmteile greifen gerade\r\nauf die Schnittstelle zu. \r\n"
                                      "Beenden Sie ggf. die Logfunktion."),
                       platform::Icon::Exclamation);
    }
};
