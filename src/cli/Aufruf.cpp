#include "Aufruf.h"

#include "Konsole.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <limits>

namespace {

enum Option {
    Port = 1,
    Kpk = 2,
    Kpb = 4,
    Abbild = 8,
    Sekunden = 16,
    Roh = 32,
    Sicherung = 64,
    Trocken = 128,
    Csv = 256
};

struct Kommando {
    const char* name;
    const char* argumente; // "DATEI", "TÜRSTATION EINTRAG"
    int optionen;
    const char* kurz;
    const char* beschreibung;
};

const Kommando Kommandos[] = {
    {"version", "", Port, "den Firmwarestand ausgeben",
     "Liest den Firmwarestand des Klingport und gibt ihn aus."},
    {"lesen", "", Port | Kpk | Kpb | Csv | Abbild, "Konfiguration, Telefonbuch, Abbild in Dateien",
     "Liest das Abbild des Klingport einmal und schreibt die Konfiguration (.kpk), das Telefonbuch (.kpb,\n"
     "als Tabelle .csv) und/oder das ganze Abbild (6144 Bytes) in Dateien, so wie das Programm sie "
     "speichert."},
    {"speichern", "", Port | Kpk | Kpb | Csv | Abbild | Trocken, "Dateien in den Klingport speichern",
     "Liest das Abbild des Klingport, sichert es, ersetzt die Konfiguration aus der .kpk-Datei und/oder\n"
     "das Telefonbuch aus der .kpb- oder .csv-Datei (oder das ganze Abbild) und speichert es im Klingport.\n"
     "Alle anderen Bytes bleiben, wie sie waren. Mit --trocken wird nichts gesichert und nichts\n"
     "gespeichert, sondern ausgegeben, was sich ändern würde, wie bei \"vergleichen\"."},
    {"vergleichen", "", Port | Kpk | Kpb | Csv | Abbild | Sicherung, "den Klingport mit Dateien vergleichen",
     "Liest das Abbild des Klingport und vergleicht es mit dem, was \"speichern\" mit denselben Dateien\n"
     "daraus machen würde, oder mit einer Sicherung. Jeder Unterschied ist eine Zeile, durch Tabulatoren\n"
     "getrennt: Feld, Wert im Klingport, Wert aus den Dateien; die Bytes, die das Programm nicht zeigt,\n"
     "sind eine Zeile \"Übrige Bytes\". Exit-Status 0: kein Unterschied, 6: Unterschiede."},
    {"loggen", "", Port | Sekunden | Roh, "den Bus beobachten",
     "Schaltet das Loggen ein und gibt jeden Busbericht als Logzeile mit Zeitstempel aus, bis Strg-C,\n"
     "SIGTERM oder die angegebenen Sekunden das Loggen wieder ausschalten."},
    {"firmware", "DATEI", Port, "Firmware übertragen", "Überträgt eine Firmware (.tsk) in den Klingport."},
    {"bustreiber", "DATEI", Port, "Bustreiber übertragen",
     "Überträgt einen Bustreiber (.hex) in den Klingport."},
    {"ruftaste", "TÜRSTATION EINTRAG", Port, "Adresse einer Ruftaste abfragen",
     "Fragt die Ruftaste ab, die an der Türstation (1-9) für den Telefonbucheintrag (1-50) gedrückt\n"
     "wird, und gibt ihre Adresse aus (\"12-34-56-78-9A-00-00-00\")."},
    {"sicherungen", "", 0, "die Sicherungen auflisten",
     "Listet die Sicherungen auf, die vor jedem Speichern angelegt werden, die älteste zuerst, durch\n"
     "Tabulatoren getrennt: Zeitpunkt, Anschlussart, lokale Rufzeit, Masterumleitung, belegte\n"
     "Telefonbucheinträge und zuletzt die Datei."},
    {"wiederherstellen", "DATEI", Port, "eine Sicherung zurückspeichern",
     "Speichert eine Sicherung zurück in den Klingport; vorher wird der jetzige Stand gesichert."},
};

QString übersicht()
{
    QString text = QStringLiteral("Aufruf: klingport-cli KOMMANDO [Optionen]\n\n"
                                  "Inbetriebnahme des Klingport ohne Fenster. Kommandos:\n");
    for (const Kommando& k : Kommandos) {
        const QString aufruf = QString::fromUtf8(k.name) + u' ' + QString::fromUtf8(k.argumente);
        text += QStringLiteral("  %1 %2\n").arg(aufruf, -36).arg(QString::fromUtf8(k.kurz));
    }
    text +=
        QStringLiteral("\n\"klingport-cli KOMMANDO --help\" beschreibt ein Kommando mit seinen Optionen.\n"
                       "Exit-Status: 0 Erfolg, 1 Timeout, 2 Übertragungsfehler, 3 Schnittstelle belegt,\n"
                       "4 falsche Argumente oder Datei nicht lesbar/schreibbar, 5 Port nicht zu öffnen,\n"
                       "6 Klingport und Dateien verschieden (vergleichen, speichern --trocken).\n"
                       "Ein NUL-Zeichen in dem, was der Klingport sendet, erscheint als \"␀\".");
    return text;
}

} // namespace

std::variant<Aufruf, Ausgang> AufrufLesen(const QStringList& argumente)
{
    const QString erstes = argumente.value(1);
    if (erstes == u"--help" || erstes == u"-h" || erstes == u"help") {
        konsole::ausgeben(übersicht());
        return Ausgang::Erfolg;
    }
    if (erstes == u"--version" || erstes == u"-v") {
        konsole::ausgeben(QStringLiteral("klingport-cli ") + QCoreApplication::applicationVersion());
        return Ausgang::Erfolg;
    }
    const auto* kommando = std::find_if(std::begin(Kommandos), std::end(Kommandos), [&](const Kommando& k) {
        return erstes == QString::fromUtf8(k.name);
    });
    if (kommando == std::end(Kommandos)) {
        konsole::melden((erstes.isEmpty() ? QStringLiteral("Kein Kommando angegeben.")
                                          : QStringLiteral("Unbekanntes Kommando \"%1\".").arg(erstes)) +
                        QStringLiteral("\n\n") + übersicht());
        return Ausgang::Eingabefehler;
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(kommando->beschreibung));
    parser.addPositionalArgument(QString::fromUtf8(kommando->name), {}, QString::fromUtf8(kommando->name));
    const QStringList namen = QString::fromUtf8(kommando->argumente).split(u' ', Qt::SkipEmptyParts);
    for (const QString& name : namen)
        parser.addPositionalArgument(name, {});
    const QCommandLineOption hilfe({QStringLiteral("h"), QStringLiteral("help")},
                                   QStringLiteral("Zeigt diese Hilfe."));
#ifdef Q_OS_WIN
    const QString portnamen = QStringLiteral("COM1 bis COM6 wie im Programm, ab COM7 der Port von Windows");
#else
    const QString portnamen = QStringLiteral("COM1 bis COM6 wie im Programm");
#endif
    const QCommandLineOption port(
        QStringLiteral("port"),
        portnamen +
            QStringLiteral(", oder ein Gerätepfad; ohne die Angabe der im Programm eingestellte Port."),
        QStringLiteral("PORT"));
    const QCommandLineOption einstellungen(
        QStringLiteral("einstellungen"),
        QStringLiteral("Diese Einstellungsdatei statt der des Benutzers; die Sicherungen liegen daneben."),
        QStringLiteral("DATEI"));
    const QCommandLineOption kpk(QStringLiteral("kpk"), QStringLiteral("Konfigurationsdatei (.kpk)."),
                                 QStringLiteral("DATEI"));
    const QCommandLineOption kpb(QStringLiteral("kpb"), QStringLiteral("Telefonbuchdatei (.kpb)."),
                                 QStringLiteral("DATEI"));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("Telefonbuch als Tabelle (.csv)."),
                                 QStringLiteral("DATEI"));
    const QCommandLineOption abbild(QStringLiteral("abbild"),
                                    QStringLiteral("Das ganze Abbild, 6144 Bytes, als Datei."),
                                    QStringLiteral("DATEI"));
    const QCommandLineOption sekunden(QStringLiteral("sekunden"),
                                      QStringLiteral("Nach N Sekunden das Loggen beenden."),
                                      QStringLiteral("N"));
    const QCommandLineOption sicherung(
        QStringLiteral("sicherung"),
        QStringLiteral("Eine Sicherung (6144 Bytes), wie \"sicherungen\" sie auflistet, statt der Dateien."),
        QStringLiteral("DATEI"));
    const QCommandLineOption trocken(
        QStringLiteral("trocken"),
        QStringLiteral("Nichts sichern und nichts speichern, nur die Unterschiede ausgeben."));
    const QCommandLineOption roh(QStringLiteral("roh"),
                                 QStringLiteral("Vor jeder Logzeile auch den Bericht, wie er kam."));
    parser.addOption(hilfe);
    parser.addOption(einstellungen);
    const std::pair<int, const QCommandLineOption*> eigene[] = {
        {Port, &port},      {Kpk, &kpk},           {Kpb, &kpb}, {Csv, &csv},
        {Abbild, &abbild},  {Sekunden, &sekunden}, {Roh, &roh}, {Sicherung, &sicherung},
        {Trocken, &trocken}};
    for (const auto& [bit, option] : eigene) {
        if (kommando->optionen & bit)
            parser.addOption(*option);
    }

    const auto fehler = [&](const QString& text) {
        konsole::melden(text + QStringLiteral("\n\n") + parser.helpText());
        return Ausgang::Eingabefehler;
    };
    if (!parser.parse(argumente))
        return fehler(parser.errorText());
    if (parser.isSet(hilfe)) {
        konsole::ausgeben(parser.helpText());
        return Ausgang::Erfolg;
    }
    Aufruf aufruf;
    aufruf.kommando = erstes;
    aufruf.argumente = parser.positionalArguments().mid(1);
    if (aufruf.argumente.size() != namen.size())
        return fehler(
            QStringLiteral("\"%1\" braucht %2.")
                .arg(erstes, namen.isEmpty() ? QStringLiteral("keine Argumente") : namen.join(u' ')));
    // Only what the command takes; the parser knows no other options.
    const auto wert = [&](int bit, const QCommandLineOption& option) {
        return (kommando->optionen & bit) ? parser.value(option) : QString();
    };
    aufruf.port = wert(Port, port);
    aufruf.einstellungen = parser.value(einstellungen);
    aufruf.kpk = wert(Kpk, kpk);
    aufruf.kpb = wert(Kpb, kpb);
    aufruf.csv = wert(Csv, csv);
    aufruf.abbild = wert(Abbild, abbild);
    aufruf.roh = (kommando->optionen & Roh) && parser.isSet(roh);
    aufruf.trocken = (kommando->optionen & Trocken) && parser.isSet(trocken);
    // A backup is a whole image, compared as --abbild compares one.
    if (const QString gesichert = wert(Sicherung, sicherung); !gesichert.isEmpty()) {
        if (!aufruf.kpk.isEmpty() || !aufruf.kpb.isEmpty() || !aufruf.csv.isEmpty() ||
            !aufruf.abbild.isEmpty())
            return fehler(QStringLiteral("--sicherung geht nicht mit --kpk, --kpb, --csv oder --abbild."));
        aufruf.abbild = gesichert;
    }
    if ((kommando->optionen & Sekunden) && parser.isSet(sekunden)) {
        bool zahl = false;
        const qlonglong wert = parser.value(sekunden).toLongLong(&zahl);
        if (!zahl || wert <= 0)
            return fehler(QStringLiteral("--sekunden braucht eine Zahl größer als 0."));
        // A timer counts milliseconds in an int: about 24 days.
        constexpr int Höchstens = std::numeric_limits<int>::max() / 1000;
        if (wert > Höchstens)
            return fehler(QStringLiteral("--sekunden geht höchstens bis %1.").arg(Höchstens));
        aufruf.sekunden = int(wert);
    }
    return aufruf;
}
