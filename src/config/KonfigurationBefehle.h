#pragma once

#include "Befehlsumgebung.h"

#include <QObject>
#include <functional>

class KonfigurationTab;

// The configuration tab's device commands: load from the Klingport, store into it (reading the
// image first, so the device's phone book stays as it is), and the factory values.
class KonfigurationBefehle : public QObject {
public:
    // `anrufbeantworterImTelefonbuch` tells whether an entry of the phone book uses an answering machine.
    KonfigurationBefehle(KonfigurationTab& tab, Befehlsumgebung umgebung,
                         std::function<bool()> anrufbeantworterImTelefonbuch, QObject* parent = nullptr);

    void cmd_KonfigAusAnlageLaden_Click();
    void cmd_KonfigInAnlageSpeichern_Click();
    void cmd_Werkseinstellungen_Click();
    void KonfigurationUpload();

private:
    void verzögertGewählt();

    KonfigurationTab& tab;
    Befehlsumgebung u;
    std::function<bool()> anrufbeantworterImTelefonbuch;
};
