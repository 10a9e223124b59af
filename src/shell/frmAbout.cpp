#include "frmAbout.h"

#include "MessageBoxes.h"
#include "Programmeinstellungen.h"
#include "SystemInfoTool.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

frmAbout::frmAbout(platform::MessageBoxes& meldungen, platform::SystemInfoTool& systemInfo, QWidget* parent)
    : QWidget(parent, Qt::Dialog), meldungen(meldungen), systemInfo(systemInfo)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Info zu ") + shell::Anwendungstitel);
    setAttribute(Qt::WA_DeleteOnClose);

    const auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromUtf8(name));
        l->setWordWrap(true);
        return l;
    };
    QLabel* lblTitle = label("lblTitle", shell::Anwendungstitel);
    QFont titelschrift = lblTitle->font();
    titelschrift.setPointSizeF(titelschrift.pointSizeF() * 1.4);
    titelschrift.setBold(true);
    lblTitle->setFont(titelschrift);
    QLabel* lblVersion = label("lblVersion", QStringLiteral("Version " KLINGPORT_VERSION));
    QLabel* lblDescription = label(
        "lblDescription", QStringLiteral("Mit der Inbetriebnahmesoftware wird der Klingport von einem PC "
                                         "oder Laptop aus programmiert."));
    QLabel* lblDisclaimer =
        label("lblDisclaimer", QStringLiteral("Welko\nBei Fragen wenden Sie sich bitte an "
                                              "Ihren Fachhändler."));
    auto* Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdSysInfo = new QPushButton(QStringLiteral("&Systeminfo..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(lblTitle, 0, 0, 1, 2);
    layout->addWidget(lblVersion, 1, 0, 1, 2);
    layout->addWidget(lblDescription, 2, 0, 1, 2);
    layout->addWidget(Line1, 3, 0, 1, 2);
    layout->addWidget(lblDisclaimer, 4, 0, 2, 1);
    layout->addWidget(cmdOK, 4, 1);
    layout->addWidget(cmdSysInfo, 5, 1);
    layout->setColumnStretch(0, 1);
    setFixedSize(QSize(420, sizeHint().height()));

    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::cmdSysInfo_Click()
{
    if (!systemInfo.start())
        meldungen.show(QStringLiteral("Systeminformationen sind momentan nicht verfügbar"),
                       platform::Icon::None);
}
