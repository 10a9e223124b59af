#pragma once

// The simulated Klingport as a whole-program test meets it: klingport-sim on a pseudo-terminal,
// unpaced, with its image kept in a file of its own that the test reads back after each command.

#include "Geraeteabbild.h"
#include "Konfigurationsbereich.h"
#include "SimProcess.h"
#include "Telefonbuchbereich.h"
#include "Testdaten.h"

#include <QTemporaryDir>
#include <memory>

// An image whose bytes the program does not interpret are all set, so a store shows whether it keeps
// them, holding the given configuration and phone book.
inline QByteArray musterabbild(const Konfiguration& konfiguration, const Telefonbuch& telefonbuch)
{
    QByteArray abbild(abbild::Größe, '\0');
    for (int i = 0; i < abbild.size(); ++i)
        abbild[i] = static_cast<char>(i * 7 + 3);
    return TelefonbuchInAbbild(KonfigurationInAbbild(abbild, konfiguration), telefonbuch);
}

struct SimGerät {
    QTemporaryDir ordner;
    QString bild = ordner.filePath("klingport.img");
    std::unique_ptr<SimProcess> sim;

    // `optionen` are klingport-sim's; "--verbose" output is kept for stderrText().
    explicit SimGerät(const QStringList& optionen = {}, const QByteArray& abbild = musterabbild({}, {}))
    {
        dateiAnlegen(bild, abbild);
        sim = std::make_unique<SimProcess>(optionen + QStringList{"--image", bild, "--baud", "0"},
                                           optionen.contains("--verbose"));
    }
    QString leitung() const { return sim->ptyPath(); }
    QString pfad(const QString& name) const { return ordner.filePath(name); }
    QByteArray abbild() const { return dateiinhalt(bild); }
};
