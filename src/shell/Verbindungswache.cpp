#include "Verbindungswache.h"

#include "LoggenBefehle.h"
#include "frm_Haupt.h"
#include "frm_Kommunikation.h"

#include <QStatusBar>

namespace {

constexpr int Versuchsabstand = 2000;

} // namespace

Verbindungswache::Verbindungswache(frm_Kommunikation& link, frm_Haupt& hauptfenster, const int& gewählterPort,
                                   QObject* parent)
    : QObject(parent), link(link), haupt(hauptfenster), gewählterPort(gewählterPort)
{
    versuch.setObjectName(QStringLiteral("tim_Verbindungswache"));
    versuch.setInterval(Versuchsabstand);
    connect(&versuch, &QTimer::timeout, this, &Verbindungswache::prüfen);
}

void Verbindungswache::verloren()
{
    haupt.KommunikationDisable();
    // With "keine" the port was open without a number to name or to come back to.
    const bool gewählt = gewählterPort > 0;
    if (gewählt)
        melden(QStringLiteral("Die Verbindung zu COM%1 ist unterbrochen.").arg(gewählterPort));
    loggte = haupt.loggenBefehle->verbindungVerloren();
    if (gewählt) {
        verlorenerPort = gewählterPort;
        versuch.start();
    }
}

void Verbindungswache::aufgeben()
{
    versuch.stop();
    verlorenerPort = 0;
}

void Verbindungswache::prüfen()
{
    // "keine" was chosen meanwhile.
    if (gewählterPort != verlorenerPort) {
        aufgeben();
        return;
    }
    if (!link.ComportÖffnen(verlorenerPort))
        return;
    const int port = verlorenerPort;
    aufgeben();
    // The device went on reporting into the void; it must not stay in logging mode.
    if (loggte)
        link.LoggenAus();
    haupt.KommunikationEnable();
    melden(QStringLiteral("Die Verbindung zu COM%1 ist wiederhergestellt.").arg(port));
}

void Verbindungswache::melden(const QString& text)
{
    haupt.statusBar()->showMessage(text);
    const Befehlsumgebung& u = haupt.befehlsumgebung();
    u.protokoll.zeileAnhängen(u.stempel(), QLatin1Char(' ') + text);
}
