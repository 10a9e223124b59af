#include "Geraeteprobe.h"

#include "Fenstersperre.h"
#include "FirmwareTab.h"
#include "Geraeteabbild.h"
#include "Firmwarestand.h"
#include "KonfigurationTab.h"
#include "TelefonbuchTab.h"
#include "Windows1252.h"

#include <QLabel>

using kommunikation::Ergebnis;
using platform::Icon;

namespace {

// A broken line and a busy link, which both reads at start-up word alike.
void störungMelden(const Befehlsumgebung& u, Ergebnis ergebnis)
{
    u.melden(ergebnis == Ergebnis::Belegt ? "Die Schnittstelle ist belegt"
                                          : "Übertragung wegen Übertragungsfehler abgebrochen",
             Icon::Information);
}

// A failed image read leaves the factory values on the screen.
void AbbildÜbernehmen(const Befehlsumgebung& u, KonfigurationTab& konfiguration, TelefonbuchTab& telefonbuch)
{
    const kommunikation::Antwort abbild = u.link.KonfigurationLaden();
    switch (abbild.ergebnis) {
    case Ergebnis::Timeout:
        u.melden("Übertragung wegen TimeOut abgebrochen", Icon::Information);
        break;
    case Ergebnis::Transferfehler:
    case Ergebnis::Belegt:
        störungMelden(u, abbild.ergebnis);
        break;
    case Ergebnis::Erfolg:
        if (abbild.daten.size() == abbild::Größe)
            u.imKlingport(abbild.daten);
        konfiguration.KonfigurationParsAnzeigen(abbild.daten);
        telefonbuch.TelefonbuchParsAnzeigen(abbild.daten);
        u.melden("Einstellungen wurden vom Klingport geladen!", Icon::Information);
        break;
    }
}

} // namespace

void GeraetPruefen(const Befehlsumgebung& u, int comportNummer, FirmwareTab& firmware,
                   KonfigurationTab& konfiguration, TelefonbuchTab& telefonbuch)
{
    if (comportNummer == 0) {
        u.melden("Da kein Klingport angeschlossen ist wurden die Standardparameter geladen!",
                 Icon::Information);
        return;
    }
    Fenstersperre sperre(u.hauptfenster);
    kommunikation::VerbindungVorbereiten(u.link);
    const kommunikation::Antwort antwort = u.link.FirmwareAuslesen();
    switch (antwort.ergebnis) {
    case Ergebnis::Timeout:
        u.melden("Da kein Klingport angeschlossen ist, wurden die Standardparameter geladen!",
                 Icon::Information);
        return;
    // A broken line is no answer; it must not read as a device without bus driver.
    case Ergebnis::Transferfehler:
    case Ergebnis::Belegt:
        störungMelden(u, antwort.ergebnis);
        return;
    case Ergebnis::Erfolg:
        break;
    }

    const QString text = windows1252::dekodieren(antwort.daten);
    switch (FirmwarestandAus(text)) {
    case Firmwarestand::NurBootlader:
        u.melden("Der Klingport besitzt nur einen Bootlader. Bitte installieren sie eine Firmware!",
                 Icon::Exclamation);
        u.link.setNurBootlader(true);
        firmware.lab_Firmwarestand->setText(text);
        break;
    case Firmwarestand::Vollständig:
        firmware.lab_Firmwarestand->setText(text);
        u.link.setNurBootlader(false);
        AbbildÜbernehmen(u, konfiguration, telefonbuch);
        break;
    case Firmwarestand::KeinBustreiber:
        u.melden("Der Klingport besitzt keinen Bustreiber. Bitte installieren sie eine Bustreiber-Firmware!",
                 Icon::Exclamation);
        firmware.lab_Firmwarestand->setText(text);
        u.link.setNurBootlader(false);
        break;
    }
}
