#pragma once

#include "Befehlsumgebung.h"

#include <QByteArray>
#include <QObject>
#include <optional>

class KonfigurationTab;
class QLabel;
class QTimer;
class TelefonbuchTab;

// Comparing the window with the device or a backup before a store, and the status line's note of
// how far the window has moved from the device since it was last read or stored.
class Vergleichsbefehle : public QObject {
public:
    Vergleichsbefehle(const Befehlsumgebung& umgebung, KonfigurationTab& konfiguration,
                      TelefonbuchTab& telefonbuch, QLabel& abgleich, QObject* parent);

    // Reads the device and shows what a store of the window would change there. Nothing in the window
    // changes, and no backup is written.
    void mitKlingportVergleichen();
    // Shows what differs between a backup and the window, over the backups dialog.
    void mitSicherungVergleichen(const QByteArray& sicherung, QWidget& über);
    // The device holds this image now, read from it or stored into it.
    void imKlingport(const QByteArray& abbild);

private:
    void zeigen(const QByteArray& abbild, const QString& quelle, const QString& gleich, QWidget& über);
    QByteArray mitFenster(const QByteArray& basis) const;
    void abgleichen();

    const Befehlsumgebung& u;
    KonfigurationTab& konfiguration;
    TelefonbuchTab& telefonbuch;
    QLabel& abgleich;
    QTimer* nachÄnderung; // one recount for the many changes of a load
    std::optional<QByteArray> gerät;
};

// Shows an image in the window as a load from the device does, the controls' reactions included.
void AbbildAnzeigen(KonfigurationTab& konfiguration, TelefonbuchTab& telefonbuch, const QByteArray& abbild);
