#include "LoggenBefehle.h"

#include "Dateien.h"
#include "Logdatei.h"
#include "Logdruck.h"
#include "Logfenster.h"
#include "LoggenTab.h"
#include "Printers.h"
#include "Telegramm.h"

#include <QPushButton>

namespace {

const QString Filter = QStringLiteral("Logdateien (*.log)|*.log");
const QString Art = QStringLiteral("Logdatei");
const QString Start = QStringLiteral("Start");
const QString Stop = QStringLiteral("Stop");

} // namespace

LoggenBefehle::LoggenBefehle(LoggenTab& tab, Befehlsumgebung umgebung, platform::FileDialogs& dateidialoge,
                             platform::Printers& drucker, QObject* parent)
    : QObject(parent), tab(tab), u(umgebung), cdia_Log(dateidialoge, Filter),
      druckdatei(dateidialoge, QStringLiteral("Log.pdf")), drucker(drucker)
{
    connect(tab.cmd_StartLog, &QPushButton::clicked, this, &LoggenBefehle::cmd_StartLog_Click);
    connect(tab.cmd_DeleteLog, &QPushButton::clicked, this, &LoggenBefehle::cmd_DeleteLog_Click);
    connect(tab.cmd_SaveLog, &QPushButton::clicked, this, &LoggenBefehle::cmd_SaveLog_Click);
    connect(tab.cmd_OpenLog, &QPushButton::clicked, this, &LoggenBefehle::cmd_OpenLog_Click);
    connect(tab.cmd_LoggDrucken, &QPushButton::clicked, this, &LoggenBefehle::cmd_LoggDrucken_Click);
}

bool LoggenBefehle::loggt() const
{
    return tab.cmd_StartLog->text() == Stop;
}

void LoggenBefehle::cmd_StartLog_Click()
{
    const QDateTime stempel = u.stempel();
    if (loggt()) {
        u.loggen(stempel, " Loggen gestoppt");
        u.link.LoggenAus();
        tab.cmd_StartLog->setText(Start);
        return;
    }
    u.loggen(stempel, " Loggen gestartet");
    if (u.link.LoggenEin() != kommunikation::Ergebnis::Erfolg) {
        u.loggen(stempel,
                 " Loggen von Businformationen nicht möglich, da andere Prozesse die Schnittstelle belegen");
        return;
    }
    tab.cmd_StartLog->setText(Stop);
}

void LoggenBefehle::berichtEmpfangen(const QByteArray& bericht)
{
    u.protokoll.zeileAnhängen(u.stempel(), QLatin1Char(' ') + BerichtDekodieren(bericht));
}

bool LoggenBefehle::verbindungVerloren()
{
    if (!loggt())
        return false;
    u.loggen(u.stempel(), " Loggen gestoppt, die Verbindung zum Klingport ist unterbrochen");
    tab.cmd_StartLog->setText(Start);
    return true;
}

void LoggenBefehle::LoggenBeenden()
{
    if (loggt())
        cmd_StartLog_Click();
}

void LoggenBefehle::cmd_DeleteLog_Click()
{
    tab.log().setText({});
}

void LoggenBefehle::cmd_SaveLog_Click()
{
    const QString name = cdia_Log.speichern();
    if (!name.isEmpty())
        platform::dateiSpeichern(u.meldungen, Art, name, LogDateiinhalt(tab.log().text()));
}

void LoggenBefehle::cmd_OpenLog_Click()
{
    const QString name = cdia_Log.öffnen();
    if (name.isEmpty())
        return;
    if (const std::optional<QByteArray> datei = platform::dateiLaden(u.meldungen, Art, name))
        tab.log().setText(LogAusDatei(*datei));
}

// The font stays the printer's: the one an earlier printout set, or its own.
void LoggenBefehle::cmd_LoggDrucken_Click()
{
    if (!druckdatei.wählen(drucker))
        return;
    const QString rumpf = LogDruckText(tab.log().text());
    if (!(drucker.setFontSize(10) && drucker.print(LogDrucküberschrift()) && drucker.print(rumpf) &&
          drucker.endDocument()))
        platform::DruckerFehlerMelden(drucker, u.meldungen);
}
