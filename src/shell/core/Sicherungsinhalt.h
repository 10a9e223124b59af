#pragma once

#include "Konfiguration.h"
#include "Telefonbucheintrag.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// What a kept device image holds, as far as an installer recognises a device by it.
struct Sicherungsinhalt {
    bool lesbar = false;         // a whole image; otherwise the rest says nothing
    Konfiguration konfiguration; // as the configuration tab shows it after loading the image
    int belegteEinträge = 0;
};

Sicherungsinhalt SicherungsinhaltLesen(const QByteArray& abbild);

// One line for a list of backups: "Nebenstelle · 045 s · 0301234567 · 12 Einträge", "unlesbar" for
// bytes that are no whole image.
QString SicherungZusammenfassen(const Sicherungsinhalt& inhalt);
// The same line's four parts, for columns; "unlesbar" and three empty ones for no whole image.
QStringList Sicherungsangaben(const Sicherungsinhalt& inhalt);

// The configuration the tabs show after loading the image.
Konfiguration AngezeigteKonfiguration(const QByteArray& abbild);
int BelegteEinträge(const Telefonbuch& telefonbuch);
