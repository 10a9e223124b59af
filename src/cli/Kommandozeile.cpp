#include "Kommandozeile.h"

#include "Abbildvergleich.h"
#include "Dateien.h"
#include "Firmwarestand.h"
#include "Geraeteabbild.h"
#include "Imagedatei.h"
#include "Konfigurationsbereich.h"
#include "Konfigurationsdatei.h"
#include "Portverzeichnis.h"
#include "Programmeinstellungen.h"
#include "Protokoll.h"
#include "SerielleVerbindung.h"
#include "Sicherungsinhalt.h"
#include "Telefonbuchbereich.h"
#include "Telefonbuchdatei.h"
#include "Telefonbuchtabelle.h"
#include "Telegramm.h"
#include "TerminationSignals.h"
#include "Windows1252.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>

using kommunikation::Ergebnis;

namespace {

QString sicherungsordner(const QString& einstellungen)
{
    return einstellungen.isEmpty() ? platform::Sicherungen::standardordner()
                                   : QFileInfo(einstellungen).dir().filePath(QStringLiteral("Sicherungen"));
}

// What the files of a store give, read and checked before the device is touched.
struct Speicherdateien {
    std::optional<QByteArray> kpk;
    std::optional<Telefonbuch> kpb;
    std::optional<QByteArray> abbild;
};

// A line for scripts on stdout; output that can't be written (a full disk, a closed pipe) is a
// failure, never a silent success.
Ausgang ausgegeben(const QString& zeile)
{
    if (konsole::ausgeben(zeile))
        return Ausgang::Erfolg;
    konsole::melden(QStringLiteral("Die Ausgabe kann nicht geschrieben werden."));
    return Ausgang::Eingabefehler;
}

// Every file of a store, read and checked before the device is touched; or the failure, reported.
std::variant<Speicherdateien, Ausgang> dateienLesen(platform::MessageBoxes& meldungen, const QString& kpk,
                                                    const QString& kpb, const QString& csv,
                                                    const QString& abbildname)
{
    if (!abbildname.isEmpty() && !(kpk.isEmpty() && kpb.isEmpty() && csv.isEmpty())) {
        konsole::melden(
            QStringLiteral("--abbild ersetzt das ganze Abbild und geht nicht mit --kpk, --kpb oder --csv."));
        return Ausgang::Eingabefehler;
    }
    if (!kpb.isEmpty() && !csv.isEmpty()) {
        konsole::melden(
            QStringLiteral("--kpb und --csv sind beide ein Telefonbuch; bitte nur eines angeben."));
        return Ausgang::Eingabefehler;
    }
    Speicherdateien d;
    const auto laden = [&meldungen](const QString& art, const QString& name) {
        return name.isEmpty() ? std::optional<QByteArray>() : platform::dateiLaden(meldungen, art, name);
    };
    const auto abgelehnt = [](const QString& name, const QString& warum) {
        konsole::melden(QStringLiteral("Die Datei \"%1\" %2").arg(QFileInfo(name).fileName(), warum));
        return Ausgang::Eingabefehler;
    };
    if (!kpk.isEmpty()) {
        d.kpk = laden(QStringLiteral("Konfigurationsdatei"), kpk);
        if (!d.kpk)
            return Ausgang::Eingabefehler;
        const auto gelesen = KonfigurationAusDatei(*d.kpk, Werkseinstellungen());
        if (const auto* fehler = std::get_if<Konfigurationsfehler>(&gelesen)) {
            konsole::melden(fehler->meldung(kpk));
            return Ausgang::Eingabefehler;
        }
    }
    if (const QString& buchname = kpb.isEmpty() ? csv : kpb; !buchname.isEmpty()) {
        const std::optional<QByteArray> datei = laden(QStringLiteral("Telefonbuchdatei"), buchname);
        if (!datei)
            return Ausgang::Eingabefehler;
        const auto buch = kpb.isEmpty() ? TelefonbuchAusTabelle(*datei) : TelefonbuchAusDatei(*datei);
        if (const auto* fehler = std::get_if<Telefonbuchfehler>(&buch)) {
            konsole::melden(fehler->meldung(buchname));
            return Ausgang::Eingabefehler;
        }
        d.kpb = std::get<Telefonbuch>(buch);
    }
    if (!abbildname.isEmpty()) {
        d.abbild = laden(QStringLiteral("Abbilddatei"), abbildname);
        if (!d.abbild)
            return Ausgang::Eingabefehler;
        if (d.abbild->size() != abbild::Größe)
            return abgelehnt(abbildname,
                             QStringLiteral("ist kein Klingport-Abbild: Sie hat %1 statt %2 Bytes.")
                                 .arg(d.abbild->size())
                                 .arg(abbild::Größe));
    }
    return d;
}

// What a store of the files sends: the device's image with the file's configuration and phone book put
// in, or the file's whole image.
QByteArray zielabbild(const QByteArray& gerät, const Speicherdateien& d)
{
    QByteArray neu = d.abbild.value_or(gerät);
    if (d.kpk)
        neu = KonfigurationInAbbild(
            neu, std::get<Konfiguration>(KonfigurationAusDatei(*d.kpk, AngezeigteKonfiguration(gerät))));
    if (d.kpb)
        neu = TelefonbuchInAbbild(neu, *d.kpb);
    return neu;
}

// A difference as a line of three tab-separated columns. A device's value may hold anything, so a TAB
// or line break inside one becomes a blank; a NUL shows as in all output.
QString unterschiedszeile(const Unterschied& u)
{
    static const QRegularExpression trenner(QStringLiteral("[\t\r\n]"));
    QStringList spalten{u.feld, u.vorher, u.nachher};
    for (QString& spalte : spalten)
        spalte.replace(trenner, QStringLiteral(" "));
    return spalten.join(u'\t');
}

// Each difference a line on stdout: the field, the device's value, the files' value.
Ausgang unterschiedeAusgeben(const QByteArray& gerät, const QByteArray& ziel)
{
    const QList<Unterschied> unterschiede = AbbilderVergleichen(gerät, ziel);
    for (const Unterschied& u : unterschiede) {
        if (const Ausgang ausgang = ausgegeben(unterschiedszeile(u)); ausgang != Ausgang::Erfolg)
            return ausgang;
    }
    return unterschiede.isEmpty() ? Ausgang::Erfolg : Ausgang::Verschieden;
}

} // namespace

Kommandozeile::Kommandozeile(Aufruf a)
    : aufruf(std::move(a)),
      settings(aufruf.einstellungen.isEmpty() ? platform::QtSettingsStore(shell::Anwendungstitel)
                                              : platform::QtSettingsStore::atFile(aufruf.einstellungen)),
      sicherungen(sicherungsordner(aufruf.einstellungen))
{
}

Kommandozeile::~Kommandozeile() = default;

Ausgang Kommandozeile::ausführen()
{
    const QString& k = aufruf.kommando;
    if (k == u"version")
        return version();
    if (k == u"lesen")
        return lesen();
    if (k == u"speichern")
        return speichern(aufruf.kpk, aufruf.kpb, aufruf.csv, aufruf.abbild, aufruf.trocken);
    if (k == u"vergleichen")
        return vergleichen();
    if (k == u"loggen")
        return loggen();
    if (k == u"firmware" || k == u"bustreiber")
        return hochladen(k == u"firmware");
    if (k == u"ruftaste")
        return ruftaste();
    if (k == u"sicherungen")
        return sicherungenAuflisten();
    return speichern({}, {}, {}, aufruf.argumente.value(0), false); // wiederherstellen
}

std::optional<Ausgang> Kommandozeile::verbinden()
{
    QString name = aufruf.port;
    if (name.isEmpty()) {
        shell::Programmeinstellungen einstellungen;
        shell::EinstellungenLaden(settings, einstellungen);
        if (einstellungen.ComportNummer < platform::Portverzeichnis::ErsterPort ||
            einstellungen.ComportNummer > platform::Portverzeichnis::LetzterPort) {
            konsole::melden(QStringLiteral("Im Programm ist kein Port eingestellt; bitte --port angeben."));
            return Ausgang::Eingabefehler;
        }
        name = platform::Portverzeichnis::name(einstellungen.ComportNummer);
    }
    QString pfad = name;
    const QRegularExpressionMatch com =
        QRegularExpression(QStringLiteral("^COM(\\d+)$"), QRegularExpression::CaseInsensitiveOption)
            .match(name);
    if (com.hasMatch()) {
        pfad = platform::Portverzeichnis(settings).pfad(com.captured(1).toInt());
        if (pfad.isEmpty()) {
            konsole::melden(QStringLiteral("Es gibt nur die Ports COM1 bis COM6."));
            return Ausgang::Eingabefehler;
        }
    }
    link = std::make_unique<SerielleVerbindung>(port, clock, [](int) { return QString(); });
    if (!link->pfadÖffnen(pfad)) {
        const QString genannt = pfad == name ? name : QStringLiteral("%1 (%2)").arg(name, pfad);
        if (port.belegt()) {
            konsole::melden(
                QStringLiteral("Der Port %1 ist belegt: ein anderes Programm benutzt ihn.").arg(genannt));
            return Ausgang::Belegt;
        }
        konsole::melden(QStringLiteral("Der Port %1 kann nicht geöffnet werden.").arg(genannt));
        return Ausgang::PortFehler;
    }
    QObject::connect(link.get(), &SerielleVerbindung::anzeige,
                     [this](const kommunikation::Effekt& e) { fortschritt.anzeigen(e); });
    kommunikation::VerbindungVorbereiten(*link);
    return std::nullopt;
}

Ausgang Kommandozeile::fehlgeschlagen(Ergebnis ergebnis, const QString& was)
{
    switch (ergebnis) {
    case Ergebnis::Erfolg:
        break;
    case Ergebnis::Timeout:
        konsole::melden(QStringLiteral("%1 wegen Timeout abgebrochen!").arg(was));
        break;
    case Ergebnis::Transferfehler:
        konsole::melden(QStringLiteral("%1 wegen Übertragungsfehlern abgebrochen!").arg(was));
        break;
    case Ergebnis::Belegt:
        konsole::melden(QStringLiteral("Die Schnittstelle ist belegt."));
        break;
    }
    return ausgangVon(ergebnis);
}

Ausgang Kommandozeile::version()
{
    if (const auto fehler = verbinden())
        return *fehler;
    const kommunikation::Antwort antwort = link->FirmwareAuslesen();
    if (antwort.ergebnis != Ergebnis::Erfolg)
        return fehlgeschlagen(antwort.ergebnis, QStringLiteral("Auslesen"));
    return ausgegeben(windows1252::dekodieren(antwort.daten).trimmed());
}

std::variant<QByteArray, Ausgang> Kommandozeile::abbildLesen()
{
    const kommunikation::Antwort antwort = link->KonfigurationLaden();
    if (antwort.ergebnis != Ergebnis::Erfolg)
        return fehlgeschlagen(antwort.ergebnis, QStringLiteral("Auslesen"));
    if (antwort.daten.size() < abbild::Größe)
        return fehlgeschlagen(Ergebnis::Transferfehler, QStringLiteral("Auslesen"));
    return antwort.daten;
}

Ausgang Kommandozeile::lesen()
{
    if (aufruf.kpk.isEmpty() && aufruf.kpb.isEmpty() && aufruf.csv.isEmpty() && aufruf.abbild.isEmpty()) {
        konsole::melden(
            QStringLiteral("Bitte mindestens eine der Optionen --kpk, --kpb, --csv und --abbild angeben."));
        return Ausgang::Eingabefehler;
    }
    if (const auto fehler = verbinden())
        return *fehler;
    const auto gelesen = abbildLesen();
    if (const Ausgang* fehler = std::get_if<Ausgang>(&gelesen))
        return *fehler;
    const QByteArray& abbild = std::get<QByteArray>(gelesen);
    if (const QString ungültig =
            UngültigeKonfigurationMeldung(AngezeigteKonfiguration(abbild), QStringLiteral("gespeichert"));
        !aufruf.kpk.isEmpty() && !ungültig.isEmpty()) {
        konsole::melden(ungültig);
        return Ausgang::Eingabefehler;
    }
    const std::pair<const QString&, QByteArray> dateien[] = {
        {aufruf.kpk, KonfigurationDateiinhalt(AngezeigteKonfiguration(abbild))},
        {aufruf.kpb, TelefonbuchDateiinhalt(TelefonbuchAusAbbild(abbild))},
        {aufruf.csv, TelefonbuchAlsTabelle(TelefonbuchAusAbbild(abbild))},
        {aufruf.abbild, abbild.left(abbild::Größe)}};
    const QString arten[] = {QStringLiteral("Konfigurationsdatei"), QStringLiteral("Telefonbuchdatei"),
                             QStringLiteral("Telefonbuchdatei"), QStringLiteral("Abbilddatei")};
    bool alle = true;
    for (int i = 0; i < 4; ++i) {
        if (!dateien[i].first.isEmpty())
            alle = platform::dateiSpeichern(meldungen, arten[i], dateien[i].first, dateien[i].second) && alle;
    }
    return alle ? Ausgang::Erfolg : Ausgang::Eingabefehler;
}

Ausgang Kommandozeile::speichern(const QString& kpk, const QString& kpb, const QString& csv,
                                 const QString& abbildname, bool trocken)
{
    if (kpk.isEmpty() && kpb.isEmpty() && csv.isEmpty() && abbildname.isEmpty()) {
        konsole::melden(QStringLiteral("Bitte --kpk und/oder --kpb oder --csv, oder --abbild angeben."));
        return Ausgang::Eingabefehler;
    }
    const auto dateien = dateienLesen(meldungen, kpk, kpb, csv, abbildname);
    if (const Ausgang* fehler = std::get_if<Ausgang>(&dateien))
        return *fehler;
    if (const auto fehler = verbinden())
        return *fehler;
    const auto gelesen = abbildLesen();
    if (const Ausgang* fehler = std::get_if<Ausgang>(&gelesen))
        return *fehler;
    const QByteArray& vorher = std::get<QByteArray>(gelesen);
    const QByteArray neu = zielabbild(vorher, std::get<Speicherdateien>(dateien));
    if (trocken)
        return unterschiedeAusgeben(vorher, neu);
    if (sicherungen.sichern(vorher, uhr.now()).isEmpty()) {
        konsole::melden(sicherungen.nichtGeschrieben());
        return Ausgang::Eingabefehler;
    }
    const Ergebnis ergebnis = link->KonfigurationSenden(neu);
    if (ergebnis != Ergebnis::Erfolg)
        return fehlgeschlagen(ergebnis, QStringLiteral("Übertragung"));
    konsole::melden(QStringLiteral("Übertragung erfolgreich!"));
    return Ausgang::Erfolg;
}

Ausgang Kommandozeile::vergleichen()
{
    if (aufruf.kpk.isEmpty() && aufruf.kpb.isEmpty() && aufruf.csv.isEmpty() && aufruf.abbild.isEmpty()) {
        konsole::melden(
            QStringLiteral("Vergleichen braucht --kpk, --kpb, --csv, --abbild oder --sicherung."));
        return Ausgang::Eingabefehler;
    }
    return speichern(aufruf.kpk, aufruf.kpb, aufruf.csv, aufruf.abbild, true);
}

Ausgang Kommandozeile::loggen()
{
    if (const auto fehler = verbinden())
        return *fehler;
    const Ergebnis ein = link->LoggenEin();
    if (ein != Ergebnis::Erfolg)
        return fehlgeschlagen(ein, QStringLiteral("Loggen"));
    QEventLoop schleife;
    Ausgang ausgang = Ausgang::Erfolg;
    // A reader that has gone (loggen | head) ends logging as the end of its seconds does.
    QObject::connect(
        link.get(), &SerielleVerbindung::berichtszeileEmpfangen, &schleife,
        [this, &schleife](const QByteArray& bericht) {
            const QString stempel = platform::Zeitstempel(uhr.now());
            QString roh;
            if (aufruf.roh)
                roh = windows1252::dekodieren(bericht).trimmed() + QLatin1Char('\t');
            if (!konsole::ausgeben(stempel + QLatin1Char(' ') + roh + BerichtDekodieren(bericht)))
                schleife.quit();
        });
    QTimer leserDa;
    QObject::connect(&leserDa, &QTimer::timeout, &schleife, [&schleife] {
        if (konsole::ausgabeGeschlossen())
            schleife.quit();
    });
    leserDa.start(1000);
    platform::TerminationSignals signale;
    QObject::connect(&signale, &platform::TerminationSignals::received, &schleife, &QEventLoop::quit);
    QObject::connect(link.get(), &SerielleVerbindung::portVerloren, &schleife, [&] {
        konsole::melden(QStringLiteral("Die Verbindung zum Klingport ist unterbrochen."));
        ausgang = Ausgang::Transferfehler;
        schleife.quit();
    });
    if (aufruf.sekunden > 0)
        QTimer::singleShot(aufruf.sekunden * 1000, &schleife, &QEventLoop::quit);
    schleife.exec();
    // The device must never stay in logging mode.
    link->LoggenAus();
    link->ComportSchließen();
    return ausgang;
}

Ausgang Kommandozeile::hochladen(bool firmware)
{
    const QString pfad = aufruf.argumente.value(0);
    const Dateisuche suche = DateiSuchen(pfad);
    if (suche.ergebnis != Dateisuche::Ergebnis::Gefunden) {
        konsole::melden(suche.meldung());
        return Ausgang::Eingabefehler;
    }
    const Image image = ImageEinlesen(suche.pfad);
    if (!image.bytes) {
        konsole::melden(image.abgelehnt.isEmpty() ? NichtLesbarMeldung(pfad) : image.abgelehnt);
        return Ausgang::Eingabefehler;
    }
    if (const auto fehler = verbinden())
        return *fehler;
    // A device that runs only its bootloader takes the upload request in its own form, as the window
    // knows from its version query.
    const kommunikation::Antwort stand = link->FirmwareAuslesen();
    link->setNurBootlader(stand.ergebnis == Ergebnis::Erfolg &&
                          FirmwarestandAus(windows1252::dekodieren(stand.daten)) ==
                              Firmwarestand::NurBootlader);
    link->setÜbertragungGestartet(false);
    const Ergebnis ergebnis =
        firmware ? link->FirmwareSenden(*image.bytes) : link->BustreiberSenden(*image.bytes);
    if (ergebnis == Ergebnis::Erfolg) {
        konsole::melden(firmware ? QStringLiteral("Übertragung erfolgreich\r\nDas Klingport startet neu!\r\n"
                                                  "Bitte warten Sie ca. 5 Sekunden.")
                                 : QStringLiteral("Übertragung erfolgreich!"));
        return Ausgang::Erfolg;
    }
    const Ausgang ausgang = fehlgeschlagen(ergebnis, QStringLiteral("Übertragung"));
    if (link->übertragungGestartet())
        konsole::melden(
            QStringLiteral("Bitte überprüfen Sie die Verbindung zum Klingport und führen Sie einen "
                           "Spannungsreset am Klingport durch."));
    return ausgang;
}

Ausgang Kommandozeile::ruftaste()
{
    bool zahl1 = false;
    bool zahl2 = false;
    const int türstation = aufruf.argumente.value(0).toInt(&zahl1);
    const int eintrag = aufruf.argumente.value(1).toInt(&zahl2);
    if (!zahl1 || !zahl2 || türstation < 1 || türstation > 9 || eintrag < 1 ||
        eintrag > Telefonbucheinträge) {
        konsole::melden(QStringLiteral("Die Türstation ist 1 bis 9, der Telefonbucheintrag 1 bis 50."));
        return Ausgang::Eingabefehler;
    }
    if (const auto fehler = verbinden())
        return *fehler;
    const kommunikation::Antwort antwort = link->RufInformationAbholen(eintrag, türstation);
    if (antwort.ergebnis != Ergebnis::Erfolg)
        return fehlgeschlagen(antwort.ergebnis, QStringLiteral("Rufinformation abholen"));
    const std::optional<QString> adresse = RuftastenAdresse(antwort.daten);
    if (!adresse) {
        konsole::melden(QStringLiteral("Rufinformationen fehlerhaft!"));
        return Ausgang::Transferfehler;
    }
    return ausgegeben(*adresse);
}

Ausgang Kommandozeile::sicherungenAuflisten()
{
    for (const platform::Sicherung& s : sicherungen.liste()) {
        QFile datei(s.datei);
        const Sicherungsinhalt inhalt = SicherungsinhaltLesen(
            datei.open(QIODevice::ReadOnly) ? datei.read(abbild::Größe + 1) : QByteArray());
        // The dialog's summary, a part a column; the path stays the last even for a file that is no
        // whole image.
        const Ausgang ausgang =
            ausgegeben((QStringList{platform::Zeitstempel(s.zeitpunkt)} + Sicherungsangaben(inhalt) +
                        QStringList{QDir::toNativeSeparators(s.datei)})
                           .join(u'\t'));
        if (ausgang != Ausgang::Erfolg)
            return ausgang;
    }
    return Ausgang::Erfolg;
}
