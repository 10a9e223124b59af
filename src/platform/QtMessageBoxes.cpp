#include "QtMessageBoxes.h"

#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

Q_LOGGING_CATEGORY(meldungen, "klingport.message")

QMessageBox::Icon qtIcon(Icon icon)
{
    switch (icon) {
    case Icon::None:
        return QMessageBox::NoIcon;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Reply QtMessageBoxes::show(const QString& text, Icon icon, Buttons buttons, Default standard)
{
    // Every message also goes to the diagnostic log, so a run without a screen still tells.
    qCInfo(meldungen).noquote() << text;
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::NoButton, parent);
    QPushButton* ok = nullptr;
    QPushButton* abbrechen = nullptr;
    QPushButton* ja = nullptr;
    QPushButton* nein = nullptr;
    switch (buttons) {
    case Buttons::Ok:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        break;
    case Buttons::OkCancel:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        abbrechen = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
        break;
    case Buttons::YesNo:
        ja = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
        nein = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
        break;
    }
    if (QPushButton* zweiter = abbrechen ? abbrechen : nein; zweiter && standard == Default::Second)
        box.setDefaultButton(zweiter);
    else
        box.setDefaultButton(ok ? ok : ja);
    box.exec();
    const QAbstractButton* geklickt = box.clickedButton();
    if (ja)
        return geklickt == ja ? Reply::Yes : Reply::No;
    if (abbrechen)
        return geklickt == ok ? Reply::Ok : Reply::Cancel;
    return Reply::Ok;
}

} // namespace platform
