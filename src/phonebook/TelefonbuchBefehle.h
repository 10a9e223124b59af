#pragma once

#include "Befehlsumgebung.h"

#include <QObject>

class TelefonbuchTab;

// The phone book tab's commands: load from the Klingport, store into it (reading the image first,
// so the device's configuration stays as it is), clear the whole phone book, delete one entry, and
// teach a door station's call button to the current entry.
class TelefonbuchBefehle : public QObject {
public:
    TelefonbuchBefehle(TelefonbuchTab& tab, Befehlsumgebung umgebung, QObject* parent = nullptr);

    void cmd_TelbuchAusAnlageLaden_Click();
    void cmd_TelbuchInAnlageSpeichern_Click();
    void cmd_TelbuchAusAnlageLoeschen_Click();
    void TelefonbuchUpload();
    // Empties the current entry after asking; the selection then reaches to `bisSpalte`.
    void EintragLöschen(int bisSpalte);
    void Cmd_RufInformationAbholen_Click();

private:
    TelefonbuchTab& tab;
    Befehlsumgebung u;
};
