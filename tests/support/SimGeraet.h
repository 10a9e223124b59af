#pragma once

// The simulated Klingport as a whole-program test meets it: klingport-sim on a pseudo-terminal,
// unpaced, with its image kept in a file of its own that the test reads back after each command.

#include "Musterabbild.h"
#include "SimProcess.h"
#include "Testdaten.h"

#include <QTemporaryDir>
#include <memory>

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
