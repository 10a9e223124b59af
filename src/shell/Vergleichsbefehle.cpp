#include "Vergleichsbefehle.h"

#include "Abbilduebertragung.h"
#include "Abbildvergleich.h"
#include "Fenstersperre.h"
#include "Geraeteabbild.h"
#include "KonfigurationTab.h"
#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"
#include "frm_Vergleich.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

Vergleichsbefehle::Vergleichsbefehle(const Befehlsumgebung& umgebung, KonfigurationTab& konfiguration,
                                     TelefonbuchTab& telefonbuch, QLabel& abgleich, QObject* parent)
    : QObject(parent), u(umgebung), konfiguration(konfiguration), telefonbuch(telefonbuch),
      abgleich(abgleich), nachÄnderung(new QTimer(this))
{
    nachÄnderung->setSingleShot(true);
    nachÄnderung->setInterval(0);
    connect(nachÄnderung, &QTimer::timeout, this, &Vergleichsbefehle::abgleichen);
    const auto geändert = [this] { nachÄnderung->start(); };
    for (QLineEdit* box : konfiguration.findChildren<QLineEdit*>())
        connect(box, &QLineEdit::textChanged, this, geändert);
    for (QAbstractButton* knopf : konfiguration.findChildren<QAbstractButton*>())
        connect(knopf, &QAbstractButton::toggled, this, geändert);
    connect(&telefonbuch.modell(), &TelefonbuchModell::dataChanged, this, geändert);
    connect(&telefonbuch.modell(), &TelefonbuchModell::modelReset, this, geändert);
}

void Vergleichsbefehle::mitKlingportVergleichen()
{
    kommunikation::VerbindungVorbereiten(u.link);
    const QDateTime stempel = u.stempel();
    std::optional<QByteArray> abbild;
    {
        Fenstersperre sperre(u.hauptfenster);
        abbild = AbbildLesen(u, stempel, abbild::Größe);
    }
    if (!abbild)
        return;
    u.loggen(stempel, " Konfiguration erfolgreich ausgelesen");
    zeigen(*abbild, QStringLiteral("Im Klingport"), QStringLiteral("Fenster und Klingport stimmen überein."),
           u.hauptfenster);
}

void Vergleichsbefehle::mitSicherungVergleichen(const QByteArray& sicherung, QWidget& über)
{
    zeigen(sicherung, QStringLiteral("In der Sicherung"),
           QStringLiteral("Fenster und Sicherung stimmen überein."), über);
}

void Vergleichsbefehle::zeigen(const QByteArray& abbild, const QString& quelle, const QString& gleich,
                               QWidget& über)
{
    const QList<Unterschied> unterschiede = AbbilderVergleichen(abbild, mitFenster(abbild));
    if (unterschiede.isEmpty()) {
        u.meldungen.show(gleich, platform::Icon::Information);
        return;
    }
    auto* dialog = new frm_Vergleich(
        unterschiede, quelle, [this, abbild] { AbbildAnzeigen(konfiguration, telefonbuch, abbild); }, &über);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
}

void Vergleichsbefehle::imKlingport(const QByteArray& abbild)
{
    gerät = abbild;
    nachÄnderung->start(); // once the window shows what was read
}

QByteArray Vergleichsbefehle::mitFenster(const QByteArray& basis) const
{
    // Exactly the image that storing both tabs would send.
    return AbbildMitFenster(basis, konfiguration.angezeigteKonfiguration(),
                            telefonbuch.modell().telefonbuch());
}

void Vergleichsbefehle::abgleichen()
{
    nachÄnderung->stop();
    if (!gerät) {
        abgleich.clear(); // nothing read yet: the window may hold anything
        return;
    }
    // Only what the user can change counts; bytes the window does not show are the device's business.
    qsizetype änderungen = 0;
    for (const Unterschied& d : AbbilderVergleichen(*gerät, mitFenster(*gerät)))
        änderungen += d.feld != ÜbrigeBytes;
    abgleich.setText(änderungen == 0   ? QStringLiteral("Wie im Klingport")
                     : änderungen == 1 ? QStringLiteral("1 Änderung nicht im Klingport")
                                       : QStringLiteral("%1 Änderungen nicht im Klingport").arg(änderungen));
}

void AbbildAnzeigen(KonfigurationTab& konfiguration, TelefonbuchTab& telefonbuch, const QByteArray& abbild)
{
    konfiguration.KonfigurationParsAnzeigen(abbild);
    telefonbuch.TelefonbuchParsAnzeigen(abbild);
}
