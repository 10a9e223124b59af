#pragma once

#include "Befehlsumgebung.h"
#include "frm_Telbuch.h"

#include <QObject>
#include <QPointer>
#include <functional>

class TelefonbuchTab;

// The phone book tab's commands: load from the Klingport, store into it (reading the image first,
// so the device's configuration stays as it is), clear the whole phone book, delete one entry, and
// teach a door station's call button to the current entry; and the entry editor.
class TelefonbuchBefehle : public QObject {
public:
    // `verzögert` tells whether the delayed master forwarding is selected, which the editor warns about.
    TelefonbuchBefehle(TelefonbuchTab& tab, Befehlsumgebung umgebung, std::function<bool()> verzögert,
                       QObject* parent = nullptr);
    ~TelefonbuchBefehle() override;

    void cmd_TelbuchAusAnlageLaden_Click();
    void cmd_TelbuchInAnlageSpeichern_Click();
    void cmd_TelbuchAusAnlageLoeschen_Click();
    void TelefonbuchUpload();
    // Empties the current entry after asking; the selection then reaches to `bisSpalte`.
    void EintragLöschen(int bisSpalte);
    void Cmd_RufInformationAbholen_Click();
    // Opens the editor on the current entry.
    void EintragBearbeiten();
    // The editor, while it is open.
    frm_Telbuch* editor() const { return telbuch; }

private:
    TelefonbuchTab& tab;
    Befehlsumgebung u;
    std::function<bool()> verzögert;
    QPointer<frm_Telbuch> telbuch;
};
