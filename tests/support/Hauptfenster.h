#pragma once

// The main window as loaded, with its commands on a scripted link, fake message boxes and a clock
// that moves one second each time it is read.

#include "FakeVerbindung.h"
#include "Fakes.h"
#include "Logfenster.h"
#include "LoggenTab.h"
#include "Sicherungen.h"
#include "frm_Haupt.h"

#include <QAbstractButton>
#include <QTemporaryDir>

class TickendeUhr final : public platform::WallClock {
public:
    QDateTime now() const override
    {
        return QDateTime(QDate(2026, 12, 7), QTime(9, 5, 0)).addSecs(gelesen++);
    }

private:
    mutable int gelesen = 0;
};

struct Hauptfenster {
    FakeVerbindung link;
    FakeMessageBoxes meldungen;
    FakeFileDialogs dateien;
    FakePrinters drucker;
    QTemporaryDir sicherungsordner;
    platform::Sicherungen sicherungen{sicherungsordner.path()};
    TickendeUhr uhr;
    QString firmwarePfad;
    QString bustreiberPfad;
    int gespeichert = 0; // how often the settings were saved
    frm_Haupt fenster;
    // Whether the window could be used while each waiting operation ran.
    QList<bool> bedienbarWährend;

    Hauptfenster()
    {
        fenster.AnfangszustandHerstellen();
        const auto speichern = [this] { ++gespeichert; };
        fenster.BefehleAnlegen(
            {link, meldungen, uhr, dateien, drucker, sicherungen, {firmwarePfad, bustreiberPfad, speichern}});
        fenster.KommunikationEnable(); // as when the port is open
        link.währendDesWartens = [this] { bedienbarWährend.append(fenster.isEnabled()); };
        fenster.show();
    }

    QString log() { return fenster.loggen->log().text(); }
    template <typename T = QWidget> T* control(const QString& name) { return fenster.findChild<T*>(name); }
    void klicken(const QString& name) { control<QAbstractButton>(name)->click(); }
};
