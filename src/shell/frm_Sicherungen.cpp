#include "frm_Sicherungen.h"

#include "Abbilduebertragung.h"
#include "Fenstersperre.h"
#include "FolderViewer.h"
#include "Geraeteabbild.h"
#include "KonfigurationTab.h"
#include "SicherungenModell.h"
#include "TelefonbuchTab.h"
#include "Vergleichsbefehle.h"

#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using platform::Icon;

namespace {

QPushButton* knopf(const char* name, const char* text)
{
    auto* k = new QPushButton(QString::fromUtf8(text));
    k->setObjectName(QString::fromUtf8(name));
    return k;
}

QString vom(const Sicherungszeile& z)
{
    return platform::Zeitstempel(z.sicherung.zeitpunkt);
}

} // namespace

frm_Sicherungen::frm_Sicherungen(Umgebung umgebung)
    : QWidget(nullptr, Qt::Dialog), lst_Sicherungen(new QTableView),
      cmd_InsFensterLaden(knopf("cmd_InsFensterLaden", "In das Fenster laden")),
      cmd_Wiederherstellen(knopf("cmd_Wiederherstellen", "Wiederherstellen")),
      cmd_Vergleichen(knopf("cmd_Vergleichen", "Vergleichen")),
      cmd_OrdnerÖffnen(knopf("cmd_OrdnerÖffnen", "Ordner öffnen")),
      cmd_Schließen(knopf("cmd_Schließen", "Schließen")), u(std::move(umgebung)),
      modell(new SicherungenModell(this))
{
    setObjectName(QStringLiteral("frm_Sicherungen"));
    setWindowTitle(QStringLiteral("Sicherungen"));

    lst_Sicherungen->setObjectName(QStringLiteral("lst_Sicherungen"));
    lst_Sicherungen->setAccessibleName(QStringLiteral("Sicherungen"));
    lst_Sicherungen->setModel(modell);
    lst_Sicherungen->setSelectionBehavior(QAbstractItemView::SelectRows);
    lst_Sicherungen->setSelectionMode(QAbstractItemView::SingleSelection);
    lst_Sicherungen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lst_Sicherungen->verticalHeader()->hide();
    lst_Sicherungen->horizontalHeader()->setStretchLastSection(true);
    lst_Sicherungen->setColumnWidth(0, 140);
    connect(lst_Sicherungen, &QTableView::doubleClicked, this, &frm_Sicherungen::cmd_InsFensterLaden_Click);

    auto* knöpfe = new QHBoxLayout;
    for (QPushButton* k : {cmd_InsFensterLaden, cmd_Wiederherstellen, cmd_Vergleichen, cmd_OrdnerÖffnen})
        knöpfe->addWidget(k);
    knöpfe->addStretch();
    knöpfe->addWidget(cmd_Schließen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lst_Sicherungen);
    layout->addLayout(knöpfe);
    resize(560, 360);

    connect(cmd_InsFensterLaden, &QPushButton::clicked, this, &frm_Sicherungen::cmd_InsFensterLaden_Click);
    connect(cmd_Wiederherstellen, &QPushButton::clicked, this, &frm_Sicherungen::cmd_Wiederherstellen_Click);
    connect(cmd_Vergleichen, &QPushButton::clicked, this, &frm_Sicherungen::cmd_Vergleichen_Click);
    connect(cmd_OrdnerÖffnen, &QPushButton::clicked, this, &frm_Sicherungen::cmd_OrdnerÖffnen_Click);
    connect(cmd_Schließen, &QPushButton::clicked, this, &frm_Sicherungen::cmd_Schließen_Click);
}

void frm_Sicherungen::neuLaden()
{
    modell->laden(u.befehle.sicherungen);
    const bool leer = modell->rowCount() == 0;
    cmd_InsFensterLaden->setEnabled(!leer);
    cmd_Vergleichen->setEnabled(!leer); // no device needed
    gerätebefehleAbgleichen();
    if (!leer)
        lst_Sicherungen->selectRow(0);
}

void frm_Sicherungen::gerätebefehleAbgleichen()
{
    cmd_Wiederherstellen->setEnabled(modell->rowCount() > 0 && u.gerätebefehleAn());
}

std::optional<Sicherungszeile> frm_Sicherungen::brauchbareWahl()
{
    const QModelIndexList gewählt = lst_Sicherungen->selectionModel()->selectedRows();
    if (gewählt.isEmpty())
        return std::nullopt;
    const Sicherungszeile& z = modell->zeile(gewählt.first().row());
    if (z.inhalt.lesbar)
        return z;
    u.befehle.meldungen.show(
        QStringLiteral("Die Sicherung vom %1 ist unlesbar: \"%2\" enthält kein Abbild des "
                       "Klingport-Speichers von %3 Bytes.")
            .arg(vom(z), QDir::toNativeSeparators(z.sicherung.datei))
            .arg(abbild::Größe),
        Icon::Critical);
    return std::nullopt;
}

void frm_Sicherungen::cmd_InsFensterLaden_Click()
{
    const std::optional<Sicherungszeile> z = brauchbareWahl();
    if (!z)
        return;
    AbbildAnzeigen(u.konfiguration, u.telefonbuch, z->abbild); // the device is not asked
    u.statuszeile(QStringLiteral("Angezeigt: die Sicherung vom %1").arg(vom(*z)));
    schließen();
}

void frm_Sicherungen::cmd_Wiederherstellen_Click()
{
    const std::optional<Sicherungszeile> z = brauchbareWahl();
    if (!z)
        return;
    // The folder holds the backups of every device this PC served, so the question says what this
    // one held.
    const platform::Reply antwort = u.befehle.meldungen.show(
        QStringLiteral("Soll der Klingport-Speicher durch die Sicherung vom %1 (%2) ersetzt werden?")
            .arg(vom(*z), SicherungZusammenfassen(z->inhalt)),
        Icon::Critical, platform::Buttons::YesNo, platform::Default::Second);
    if (antwort != platform::Reply::Yes)
        return;
    kommunikation::VerbindungVorbereiten(u.befehle.link);
    bool gespeichert = false;
    {
        // The main window stays locked by the dialog itself.
        Fenstersperre sperre(*this);
        if (AbbildZumSpeichernLesen(u.befehle))
            gespeichert = AbbildSenden(u.befehle, z->abbild, QStringLiteral("Sicherung"));
    }
    neuLaden(); // the device's image before it is a backup of its own now
    if (!gespeichert)
        return;
    // The window's next store must not put back what the device held before.
    AbbildAnzeigen(u.konfiguration, u.telefonbuch, z->abbild);
    u.statuszeile(QStringLiteral("Wiederhergestellt: die Sicherung vom %1").arg(vom(*z)));
}

void frm_Sicherungen::cmd_Vergleichen_Click()
{
    if (const std::optional<Sicherungszeile> z = brauchbareWahl())
        u.vergleichen(z->abbild, *this);
}

void frm_Sicherungen::cmd_OrdnerÖffnen_Click()
{
    const QString ordner = u.befehle.sicherungen.ordner();
    QDir().mkpath(ordner); // before the first store there is none yet
    if (!u.dateimanager.show(ordner))
        u.befehle.meldungen.show(QStringLiteral("Der Ordner \"%1\" konnte nicht geöffnet werden.")
                                     .arg(QDir::toNativeSeparators(ordner)),
                                 Icon::Exclamation);
}

void frm_Sicherungen::cmd_Schließen_Click()
{
    schließen();
}

void frm_Sicherungen::schließen()
{
    u.befehle.hauptfenster.setEnabled(true);
    hide();
}

void frm_Sicherungen::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    u.befehle.hauptfenster.setEnabled(false);
    neuLaden();
}

void frm_Sicherungen::closeEvent(QCloseEvent* event)
{
    u.befehle.hauptfenster.setEnabled(true);
    event->accept();
}
