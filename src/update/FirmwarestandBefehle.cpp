#include "FirmwarestandBefehle.h"

#include "Fenstersperre.h"
#include "FirmwareTab.h"
#include "Firmwarestand.h"
#include "Windows1252.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using kommunikation::Ergebnis;
using platform::Icon;

namespace {

// The pauses around the restart: the key's own, then the device's time to come up.
constexpr int PauseVorReset = 2500;
constexpr int PauseNachReset = 1000;

} // namespace

FirmwarestandBefehle::FirmwarestandBefehle(FirmwareTab& tab, Befehlsumgebung umgebung,
                                           std::function<void(int)> wait, QObject* parent)
    : QObject(parent), tab(tab), u(umgebung), wait(std::move(wait))
{
    connect(tab.cmd_FirmwareAuslesen, &QPushButton::clicked, this,
            &FirmwarestandBefehle::cmd_FirmwareAuslesen_Click);
    tab.cmd_FirmwareAuslesen->installEventFilter(this);
}

void FirmwarestandBefehle::cmd_FirmwareAuslesen_Click()
{
    const QDateTime stempel = u.stempel();
    Fenstersperre sperre(u.hauptfenster);
    kommunikation::VerbindungVorbereiten(u.link);
    const kommunikation::Antwort antwort = u.link.FirmwareAuslesen();
    switch (antwort.ergebnis) {
    case Ergebnis::Timeout:
        u.loggen(stempel, " Firmwareversionauslesen wegen Timeout abgebrochen");
        u.melden("Auslesen wegen Timeout abgebrochen!", Icon::Critical);
        return;
    case Ergebnis::Belegt:
        u.loggen(stempel, " Firmwareversionauslesen nicht möglich, da die Schnittstelle belegt ist");
        u.belegtMelden();
        return;
    case Ergebnis::Transferfehler:
        // A broken line is no answer; it must not read as a device without bus driver.
        u.loggen(stempel, " Firmwareversionauslesen wegen Übertragungsfehlern abgebrochen");
        u.melden("Auslesen wegen Übertragungsfehlern abgebrochen!", Icon::Critical);
        return;
    case Ergebnis::Erfolg:
        break;
    }

    const QString text = windows1252::dekodieren(antwort.daten);
    tab.lab_Firmwarestand->setText(text);
    const QString zeit = platform::Zeitstempel(stempel);
    switch (FirmwarestandAus(text)) {
    case Firmwarestand::NurBootlader:
        // The answer brings its own line end.
        u.protokoll.anhängen(zeit + QStringLiteral(" Das Klingport besitzt nur den ") + text);
        u.melden("Der Klingport besitzt nur einen Bootlader. Bitte installieren sie eine Firmware!",
                 Icon::Exclamation);
        u.link.setNurBootlader(true);
        break;
    case Firmwarestand::KeinBustreiber:
        u.loggen(stempel, " Das Klingport besitzt keinen Bustreiber!");
        u.melden("Der Klingport besitzt keinen Bustreiber. Bitte installieren sie eine Bustreiber-Firmware!",
                 Icon::Exclamation);
        u.link.setNurBootlader(false);
        break;
    case Firmwarestand::Vollständig:
        u.protokoll.anhängen(zeit + QStringLiteral(" Firmwareversion erfolgreich ausgelesen: \r\n\t\t") +
                             text);
        u.melden("Firmware erfolgreich ausgelesen!", Icon::Information);
        ResetAngefordert = false;
        u.link.setNurBootlader(false);
        break;
    }
}

bool FirmwarestandBefehle::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (ereignis->type() != QEvent::KeyPress || ResetAngefordert ||
        static_cast<QKeyEvent*>(ereignis)->text() != QLatin1String("r"))
        return QObject::eventFilter(objekt, ereignis);
    ResetAngefordert = true;
    // The pauses run outside the key's own event.
    QTimer::singleShot(0, this, &FirmwarestandBefehle::BootladerResetten);
    return true;
}

void FirmwarestandBefehle::BootladerResetten()
{
    wait(PauseVorReset);
    u.link.BootladerResettenSenden();
    wait(PauseNachReset);
    cmd_FirmwareAuslesen_Click();
}
