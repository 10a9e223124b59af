#include "UpdateBefehle.h"

#include "Fenstersperre.h"
#include "FileDialogs.h"
#include "FirmwareTab.h"
#include "FirmwarestandBefehle.h"
#include "Imagedatei.h"

#include <QLabel>
#include <QPushButton>

using kommunikation::Ergebnis;
using platform::Icon;

// What differs between the firmware and the bus-driver upload.
struct UpdateBefehle::Art {
    bool firmware; // the application firmware; a new one takes the device out of its bootloader
    QLabel* const FirmwareTab::*beschriftung;
    const char* filter;
    const char* name; // as the report lines call it
    const char* startzeile;
    const char* erfolgsmeldung;
    Ergebnis (kommunikation::Klingportverbindung::*senden)(const QByteArray&);
};

namespace {

const UpdateBefehle::Art Firmware = {
    true,
    &FirmwareTab::lab_Firmwaredateiname,
    "Firmwaredateien (*.tsk)|*.tsk",
    "Firmware",
    " Starten des Firmwareuploads",
    "Übertragung erfolgreich\r\nDas Klingport startet neu!\r\nBitte warten Sie ca. 5 Sekunden.",
    &kommunikation::Klingportverbindung::FirmwareSenden};

const UpdateBefehle::Art Bustreiber = {false,
                                       &FirmwareTab::lab_Bustreiberdateiname,
                                       "Bustreiberdateien (*.hex)|*.hex",
                                       "Bustreiber",
                                       " Starten des Bustreiberuploads",
                                       "Übertragung erfolgreich!",
                                       &kommunikation::Klingportverbindung::BustreiberSenden};

const char* const Wiederanlauf =
    "\r\nBitte überprüfen Sie die Verbindung zum Klingport.\r\nFühren Sie anschließend "
    "einen Spannungsreset am Klingport durch und bestätigen Sie nach ca. 5 Sekunden "
    "mit OK.";

} // namespace

UpdateBefehle::UpdateBefehle(FirmwareTab& tab, Befehlsumgebung umgebung, platform::FileDialogs& dateidialoge,
                             FirmwarestandBefehle& firmwarestand, Imagepfade pfade, QObject* parent)
    : QObject(parent), tab(tab), u(umgebung), dateidialoge(dateidialoge), firmwarestand(firmwarestand),
      pfade(std::move(pfade))
{
    connect(tab.cmd_FirmwaredateiÄndern, &QPushButton::clicked, this,
            &UpdateBefehle::cmd_FirmwaredateiÄndern_Click);
    connect(tab.cmd_BustreiberdateiÄndern, &QPushButton::clicked, this,
            &UpdateBefehle::cmd_BustreiberdateiÄndern_Click);
    connect(tab.cmd_Update, &QPushButton::clicked, this, &UpdateBefehle::cmd_Update_Click);
    connect(tab.cmd_Bustreiberupdate, &QPushButton::clicked, this,
            &UpdateBefehle::cmd_Bustreiberupdate_Click);
}

void UpdateBefehle::cmd_FirmwaredateiÄndern_Click()
{
    dateiÄndern(Firmware);
}

void UpdateBefehle::cmd_BustreiberdateiÄndern_Click()
{
    dateiÄndern(Bustreiber);
}

void UpdateBefehle::cmd_Update_Click()
{
    hochladen(Firmware);
}

void UpdateBefehle::cmd_Bustreiberupdate_Click()
{
    hochladen(Bustreiber);
}

QString& UpdateBefehle::pfadVon(const Art& art)
{
    return art.firmware ? pfade.firmware : pfade.bustreiber;
}

void UpdateBefehle::dateiÄndern(const Art& art)
{
    QString& pfad = pfadVon(art);
    const QString name = dateidialoge.openFileName(QString::fromUtf8(art.filter), pfad);
    if (name.isEmpty())
        return;
    pfad = name;
    pfade.speichern();
    (tab.*art.beschriftung)->setText(Imagebeschriftung(name));
}

void UpdateBefehle::hochladen(const Art& art)
{
    Fenstersperre sperre(u.hauptfenster);
    u.link.setÜbertragungGestartet(false);
    const QString pfad = pfadVon(art);
    if (pfad.isEmpty())
        return;
    const Dateisuche suche = DateiSuchen(pfad);
    if (suche.ergebnis != Dateisuche::Ergebnis::Gefunden) {
        u.meldungen.show(suche.meldung(), Icon::Critical);
        return;
    }
    // The file as its folder lists it: the name given may differ in letter case.
    const Image image = ImageEinlesen(suche.pfad);
    if (!image.abgelehnt.isEmpty()) {
        u.meldungen.show(image.abgelehnt, Icon::Exclamation);
        return;
    }
    u.loggen(u.stempel(), art.startzeile);
    kommunikation::VerbindungVorbereiten(u.link);
    tab.lab_Firmwarestand->clear();
    if (!image.bytes) {
        u.meldungen.show(NichtLesbarMeldung(pfad), Icon::Critical);
        return;
    }
    ergebnisMelden(art, (u.link.*art.senden)(*image.bytes));
}

void UpdateBefehle::ergebnisMelden(const Art& art, Ergebnis ergebnis)
{
    const QString name = QString::fromUtf8(art.name);
    // Once the device had taken the request it may be half written: reset it and ask what it runs.
    const bool angenommen =
        ergebnis != Ergebnis::Erfolg && ergebnis != Ergebnis::Belegt && u.link.übertragungGestartet();
    const QString nachsatz = angenommen ? QString::fromUtf8(Wiederanlauf) : QString();
    u.ergebnisMelden(
        ergebnis,
        {.erfolg = {QStringLiteral(" %1 erfolgreich übertragen").arg(name),
                    QString::fromUtf8(art.erfolgsmeldung)},
         .timeout = {QStringLiteral(" %1 konnte wegen eines Timeout nicht geladen werden").arg(name),
                     QStringLiteral("Übertragung wegen Timeout abgebrochen!") + nachsatz},
         .transferfehler =
             {QStringLiteral(" %1 konnte wegen Übertragungsfehlern nicht geladen werden").arg(name),
              QStringLiteral("Übertragung wegen Übertragungsfehler abgebrochen!") + nachsatz},
         .belegt =
             QStringLiteral(" %1 konnte nicht gelagen werden, weil die Schnittstelle belegt ist").arg(name)});
    if (ergebnis == Ergebnis::Erfolg && art.firmware)
        u.link.setNurBootlader(false);
    if (angenommen)
        firmwarestand.cmd_FirmwareAuslesen_Click();
}
