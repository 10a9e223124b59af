#include "frm_Optionen.h"

#include "MessageBoxes.h"
#include "Printers.h"
#include "frm_Drucker.h"
#include "frm_Haupt.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString PortNichtVorhanden = QStringLiteral("                  Achtung!\r\n"
                                                  "COM-Port nicht vorhanden oder belegt!\r\n"
                                                  "Bitte wählen Sie einen anderen Port!");
const QString KeinDrucker = QStringLiteral("kein Drucker installiert");

} // namespace

frm_Optionen::frm_Optionen(Umgebung umgebung)
    : QWidget(nullptr, Qt::Dialog), u(std::move(umgebung)), lab_Drucker(new QLabel),
      cmd_DruckerÄndern(new QPushButton(QStringLiteral("Ändern"))),
      Cmd_OK(new QPushButton(QStringLiteral("OK"))), cmd_Cancel(new QPushButton(QStringLiteral("Abbrechen")))
{
    setObjectName(QStringLiteral("frm_Optionen"));
    setWindowTitle(QStringLiteral("Einstellungen"));

    auto* Frame1 = new QGroupBox(QStringLiteral("Serielle Schnittstelle"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* ports = new QVBoxLayout(Frame1);
    auto* gruppe = new QButtonGroup(this);
    for (int n = 1; n <= 6; ++n) {
        obu_COM[n] = new QRadioButton(QStringLiteral("COM %1").arg(n));
        obu_COM[n]->setObjectName(QStringLiteral("obu_COM%1").arg(n));
        connect(obu_COM[n], &QRadioButton::clicked, this, [this, n] { portGewählt(n); });
    }
    portpfadeZeigen();
    obu_COM[0] = new QRadioButton(QStringLiteral("keine"));
    obu_COM[0]->setObjectName(QStringLiteral("obu_keine"));
    connect(obu_COM[0], &QRadioButton::clicked, this, &frm_Optionen::keineGewählt);
    for (int i : {1, 2, 3, 4, 5, 6, 0}) {
        gruppe->addButton(obu_COM[i]);
        ports->addWidget(obu_COM[i]);
    }

    auto* Frame2 = new QGroupBox(QStringLiteral("aktueller Drucker"));
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto* druckerZeile = new QHBoxLayout(Frame2);
    lab_Drucker->setObjectName(QStringLiteral("lab_Drucker"));
    cmd_DruckerÄndern->setObjectName(QStringLiteral("cmd_DruckerÄndern"));
    druckerZeile->addWidget(lab_Drucker, 1);
    druckerZeile->addWidget(cmd_DruckerÄndern);

    Cmd_OK->setObjectName(QStringLiteral("Cmd_OK"));
    cmd_Cancel->setObjectName(QStringLiteral("cmd_Cancel"));
    auto* knöpfe = new QHBoxLayout;
    knöpfe->addStretch();
    knöpfe->addWidget(Cmd_OK);
    knöpfe->addWidget(cmd_Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);
    layout->addLayout(knöpfe);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));

    connect(Cmd_OK, &QPushButton::clicked, this, &frm_Optionen::Cmd_OK_Click);
    connect(cmd_Cancel, &QPushButton::clicked, this, &frm_Optionen::cmd_Cancel_Click);
    connect(cmd_DruckerÄndern, &QPushButton::clicked, this, &frm_Optionen::cmd_DruckerÄndern_Click);
}

frm_Optionen::~frm_Optionen() = default;

void frm_Optionen::laden(bool ersteLadung)
{
    if (ersteLadung) {
        const int nummer = u.einstellungen.ComportNummer;
        if (nummer >= 1 && nummer <= 6) {
            obu_COM[nummer]->setChecked(true);
            portGewählt(nummer);
        } else {
            obu_COM[0]->setChecked(true);
            keineGewählt();
            u.meldungen.show(PortNichtVorhanden, platform::Icon::Critical);
            show();
        }
    }
    if (!u.einstellungen.Druckername.isEmpty()) // stored when there was none; the system's default stays
        u.drucker.setCurrent(u.einstellungen.Druckername);
}

void frm_Optionen::portGewählt(int nummer)
{
    u.einstellungen.ComportNummer = nummer;
    if (u.ComportÖffnen(nummer)) {
        u.hauptfenster.KommunikationEnable();
        return;
    }
    obu_COM[0]->setChecked(true);
    keineGewählt();
    u.meldungen.show(PortNichtVorhanden, platform::Icon::Exclamation);
    u.einstellungen.ComportNummer = 0;
}

void frm_Optionen::keineGewählt()
{
    u.hauptfenster.KommunikationDisable();
    u.einstellungen.ComportNummer = 0;
}

void frm_Optionen::portpfadeZeigen()
{
    for (int n = 1; n <= 6; ++n)
        obu_COM[n]->setToolTip(u.portpfad(n));
}

void frm_Optionen::Form_Activate()
{
    u.hauptfenster.setEnabled(false);
    // "Abbrechen" goes back to what this opening found, the values of an earlier OK included.
    AlterDrucker = aktuellerDrucker();
    AlterComport = u.einstellungen.ComportNummer;
    const int nummer = u.einstellungen.ComportNummer;
    obu_COM[nummer >= 1 && nummer <= 6 ? nummer : 0]->setChecked(true);
    portpfadeZeigen(); // a port may stand for another device since the dialog was last shown
    lab_Drucker->setText(AlterDrucker.isEmpty() ? KeinDrucker : AlterDrucker);
}

QString frm_Optionen::aktuellerDrucker() const
{
    const QString name = u.drucker.current();
    return u.drucker.installed().contains(name) ? name : QString();
}

void frm_Optionen::Cmd_OK_Click()
{
    u.einstellungen.Druckername = aktuellerDrucker();
    Form_Unload();
}

void frm_Optionen::Form_Unload()
{
    u.EinstellungenSpeichern();
    u.hauptfenster.setEnabled(true);
    hide();
}

void frm_Optionen::cmd_Cancel_Click()
{
    u.drucker.setCurrent(AlterDrucker);
    // The port of the opening is open again, with the device commands as they were.
    if (u.einstellungen.ComportNummer != AlterComport) {
        if (AlterComport >= 1 && AlterComport <= 6)
            portGewählt(AlterComport);
        else
            keineGewählt();
    }
    u.einstellungen.ComportNummer = AlterComport;
    u.hauptfenster.setEnabled(true);
    hide();
}

void frm_Optionen::cmd_DruckerÄndern_Click()
{
    if (!druckerauswahl)
        druckerauswahl = new frm_Drucker(this, [this](const QString& name) { druckerGewählt(name); });
    druckerauswahl->zeigen(u.drucker.installed(), lab_Drucker->text());
}

void frm_Optionen::druckerGewählt(const QString& name)
{
    u.drucker.setCurrent(name);
    lab_Drucker->setText(name);
}

void frm_Optionen::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void frm_Optionen::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
    if (u.entladen)
        u.entladen();
}
