#pragma once

#include <QObject>
#include <QTimer>

class frm_Haupt;
class frm_Kommunikation;

// A pulled USB adapter: the device commands go off, and while the chosen port is lost it is tried
// again every two seconds; once it opens, the commands come back on. The user's own choice of a port
// in the settings, or the end of the program, ends the trying.
class Verbindungswache : public QObject {
public:
    // `gewählterPort` is the settings' port number, which the settings dialog may change meanwhile.
    Verbindungswache(frm_Kommunikation& link, frm_Haupt& hauptfenster, const int& gewählterPort,
                     QObject* parent = nullptr);

    // The open port broke: the commands go off, and the status line and the log say so once.
    void verloren();
    void aufgeben();

private:
    void prüfen();
    void melden(const QString& text);

    frm_Kommunikation& link;
    frm_Haupt& haupt;
    const int& gewählterPort;
    QTimer versuch;
    int verlorenerPort = 0; // 0: none is lost
    bool loggte = false;    // logging ran when the port broke
};
