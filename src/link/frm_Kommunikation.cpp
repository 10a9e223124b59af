#include "frm_Kommunikation.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

frm_Kommunikation::frm_Kommunikation(platform::SerialPort& port, platform::Clock& clock,
                                     std::function<QString(int)> portpfad, QWidget* parent)
    : QWidget(parent, Qt::Window), link(port, clock, std::move(portpfad)),
      lab_Kommunikationsstatus(new QLabel(this)), pgb_Kommunikationsstatus(new QProgressBar(this))
{
    setObjectName(QStringLiteral("frm_Kommunikation"));
    setWindowTitle(QStringLiteral("Kommunikation mit Klingport"));
    lab_Kommunikationsstatus->setObjectName(QStringLiteral("lab_Kommunikationsstatus"));
    pgb_Kommunikationsstatus->setObjectName(QStringLiteral("pgb_Kommunikationsstatus"));
    pgb_Kommunikationsstatus->setMinimum(0);
    pgb_Kommunikationsstatus->setTextVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lab_Kommunikationsstatus);
    layout->addWidget(pgb_Kommunikationsstatus);
    setFixedSize(380, 90);

    connect(&link, &SerielleVerbindung::anzeige, this, &frm_Kommunikation::anzeigen);
    connect(&link, &SerielleVerbindung::berichtszeileEmpfangen, this,
            &frm_Kommunikation::berichtszeileEmpfangen);
    connect(&link, &SerielleVerbindung::portVerloren, this, &frm_Kommunikation::portVerloren);
    hide();
}

void frm_Kommunikation::anzeigen(const kommunikation::Effekt& effekt)
{
    using Art = kommunikation::Effekt::Art;
    switch (effekt.art) {
    case Art::Beschriftung:
        lab_Kommunikationsstatus->setText(effekt.text);
        break;
    case Art::FortschrittMaximum:
        pgb_Kommunikationsstatus->setMaximum(effekt.wert);
        break;
    case Art::Fortschritt:
        pgb_Kommunikationsstatus->setValue(effekt.wert);
        break;
    case Art::FensterZeigen:
        show();
        break;
    case Art::FensterVerbergen:
        hide();
        break;
    default:
        break;
    }
}
