#pragma once

#include "Geraeteabbild.h"
#include "Konfigurationsbereich.h"
#include "Konfigurationsdatei.h"
#include "Telefonbuchbereich.h"
#include "Telefonbuchdatei.h"
#include "Testdaten.h"

// An image whose bytes the program does not interpret are all set, so a store shows whether it keeps
// them, holding the given configuration and phone book.
inline QByteArray musterabbild(const Konfiguration& konfiguration, const Telefonbuch& telefonbuch)
{
    QByteArray abbild(abbild::Größe, '\0');
    for (int i = 0; i < abbild.size(); ++i)
        abbild[i] = static_cast<char>(i * 7 + 3);
    return TelefonbuchInAbbild(KonfigurationInAbbild(abbild, konfiguration), telefonbuch);
}

// The filled files of tests/daten, as a device holds them.
inline Konfiguration gefüllteKonfiguration()
{
    return std::get<Konfiguration>(KonfigurationAusDatei(testdatei("gefuellt.kpk"), Werkseinstellungen()));
}
inline Telefonbuch gefülltesTelefonbuch()
{
    return std::get<Telefonbuch>(TelefonbuchAusDatei(testdatei("gefuellt.kpb")));
}
inline QByteArray gefülltesAbbild()
{
    return musterabbild(gefüllteKonfiguration(), gefülltesTelefonbuch());
}
