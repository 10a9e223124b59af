#pragma once

// The main window as loaded, with its commands on a scripted link, fake message boxes and a clock
// that moves one second each time it is read.

#include "FakeVerbindung.h"
#include "Fakes.h"
#include "Logfenster.h"
#include "LoggenTab.h"
#include "Sicherungen.h"
#include "TelefonbuchBefehle.h"
#include "TelefonbuchTab.h"
#include "frm_Haupt.h"
#include "frm_Telbuch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

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

    // So that the focus moves as a user moves it.
    static void aktivieren(QWidget* w)
    {
        QApplication::setActiveWindow(w);
        if (!QTest::qWaitForWindowActive(w))
            qWarning("%s did not become active", qPrintable(w->objectName()));
    }
    // The entry editor, active, opened on entry `nummer` by its button.
    frm_Telbuch& editor(int nummer)
    {
        fenster.telefonbuch->zeileMarkieren(nummer);
        klicken("cmd_TelbuchBearbeiten");
        aktivieren(fenster.telefonbuchBefehle->editor());
        return *fenster.telefonbuchBefehle->editor();
    }
};
