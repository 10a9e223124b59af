#include "frm_Telbuch.h"

#include "Eingaberegeln.h"
#include "MessageBoxes.h"
#include "Steuerelemente.h"
#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"
#include "Texteingabe.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using steuerelemente::anlegen;
using steuerelemente::rahmen;

namespace {

QLineEdit* feldAnlegen(QWidget* parent, const char* name, const char* beschriftung)
{
    auto* feld = anlegen<QLineEdit>(parent, name);
    feld->setAccessibleName(QString::fromUtf8(beschriftung));
    return feld;
}

} // namespace

frm_Telbuch::frm_Telbuch(TelefonbuchTab& telefonbuch, QWidget& hauptfenster,
                         platform::MessageBoxes& meldungen, std::function<bool()> verzögert)
    : QWidget(nullptr, Qt::Dialog), txt_Bezeichnung(feldAnlegen(this, "txt_Bezeichnung", "Bezeichnung")),
      txt_TelbuchEintragVariante1(
          feldAnlegen(this, "txt_TelbuchEintragVariante1", "Telefonnummer Variante 1")),
      chk_ab_variante1(anlegen<QCheckBox>(this, "chk_ab_variante1", "Anrufbeantworter")),
      txt_TelbuchEintragVariante2(
          feldAnlegen(this, "txt_TelbuchEintragVariante2", "Telefonnummer Variante 2")),
      chk_ab_variante2(anlegen<QCheckBox>(this, "chk_ab_variante2", "Anrufbeantworter")),
      cbo_Türstelle(new QComboBox(this)), OKButton(anlegen<QPushButton>(this, "OKButton", "OK")),
      CancelButton(anlegen<QPushButton>(this, "CancelButton", "Abbrechen")), telefonbuch(telefonbuch),
      hauptfenster(hauptfenster), meldungen(meldungen), verzögert(std::move(verzögert)),
      zeile(telefonbuch.aktuelleZeile())
{
    setObjectName(QStringLiteral("frm_Telbuch"));
    setWindowTitle(QStringLiteral("Telefonbucheintrag"));
    setAttribute(Qt::WA_DeleteOnClose);
    cbo_Türstelle->setObjectName(QStringLiteral("cbo_Türstelle"));
    cbo_Türstelle->setAccessibleName(QStringLiteral("Türstation"));
    cbo_Türstelle->addItem(QStringLiteral("Bitte wählen"));
    for (int n = 1; n <= 9; ++n)
        cbo_Türstelle->addItem(QStringLiteral("Türstation %1").arg(n));

    auto* knöpfe = new QHBoxLayout;
    knöpfe->addStretch();
    knöpfe->addWidget(OKButton);
    knöpfe->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rahmen(this, "fra_Bezeichnung", "Bezeichnung", {txt_Bezeichnung}, Qt::Horizontal));
    layout->addWidget(rahmen(this, "fra_Variante1", "Telefonnummer Variante 1",
                             {txt_TelbuchEintragVariante1, chk_ab_variante1}, Qt::Horizontal));
    layout->addWidget(rahmen(this, "fra_Variante2", "Telefonnummer Variante 2",
                             {txt_TelbuchEintragVariante2, chk_ab_variante2}, Qt::Horizontal));
    layout->addWidget(rahmen(this, "fra_Türstation", "Türstation", {cbo_Türstelle}, Qt::Horizontal));
    layout->addLayout(knöpfe);
    setTabOrder(txt_Bezeichnung, txt_TelbuchEintragVariante1);
    setTabOrder(txt_TelbuchEintragVariante1, chk_ab_variante1);
    setTabOrder(chk_ab_variante1, txt_TelbuchEintragVariante2);
    setTabOrder(txt_TelbuchEintragVariante2, chk_ab_variante2);
    setTabOrder(chk_ab_variante2, cbo_Türstelle);
    setTabOrder(cbo_Türstelle, OKButton);
    setTabOrder(OKButton, CancelButton);

    for (QLineEdit* feld : {txt_Bezeichnung, txt_TelbuchEintragVariante1, txt_TelbuchEintragVariante2})
        feld->installEventFilter(this);
    auto* regeln = new Eingaberegeln(meldungen, this);
    regeln->überwachen(txt_Bezeichnung, Feldart::Bezeichnung, LängsterTeilnehmer);
    regeln->überwachen(txt_TelbuchEintragVariante1, Feldart::Wahlnummer, LängsteNummer);
    regeln->überwachen(txt_TelbuchEintragVariante2, Feldart::Wahlnummer, LängsteNummer);
    // A click, and loading an entry that uses the answering machine, both warn.
    connect(chk_ab_variante1, &QCheckBox::toggled, this, &frm_Telbuch::anrufbeantworterGeklickt);
    connect(chk_ab_variante2, &QCheckBox::toggled, this, &frm_Telbuch::anrufbeantworterGeklickt);
    connect(OKButton, &QPushButton::clicked, this, &frm_Telbuch::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &QWidget::close);

    laden();
}

frm_Telbuch::~frm_Telbuch() = default;

void frm_Telbuch::laden()
{
    hauptfenster.setEnabled(false);
    const Telefonbucheintrag& e = telefonbuch.modell().eintrag(zeile);
    txt_Bezeichnung->setText(e.Teilnehmer);
    txt_TelbuchEintragVariante1->setText(e.Nummer1);
    txt_TelbuchEintragVariante2->setText(e.Nummer2);
    const QString& ab = e.Anrufbeantworter;
    if (ab == u"1" || ab == u"3")
        chk_ab_variante1->setChecked(true);
    if (ab == u"2" || ab == u"3")
        chk_ab_variante2->setChecked(true);
    const int tür = e.Türstation.size() == 1 && e.Türstation[0].isDigit() ? e.Türstation.toInt() : 0;
    cbo_Türstelle->setCurrentIndex(tür);
}

bool frm_Telbuch::eventFilter(QObject* objekt, QEvent* ereignis)
{
    auto* feld = qobject_cast<QLineEdit*>(objekt);
    const bool nummer = feld != txt_Bezeichnung;
    switch (ereignis->type()) {
    case QEvent::FocusIn:
        texteingabe::ganzMarkieren(*feld);
        break;
    case QEvent::FocusOut:
        if (nummer && texteingabe::verlassen(*static_cast<QFocusEvent*>(ereignis)))
            nummerVerlassen(*feld);
        break;
    case QEvent::KeyPress: {
        const std::optional<QChar> taste = texteingabe::getippt(*static_cast<QKeyEvent*>(ereignis));
        if (!taste)
            break;
        if (nummer && !TasteErlaubt(*taste, 1)) {
            meldungen.show(QStringLiteral("Bitte nur Zahlen eingeben!"), platform::Icon::Exclamation);
            return true;
        }
        if (*taste == texteingabe::Rücktaste || *taste == texteingabe::Eingabetaste)
            break;
        return texteingabe::tippgrenzeErreicht(*feld, nummer ? LängsteNummer : LängsterTeilnehmer);
    }
    default:
        break;
    }
    return QWidget::eventFilter(objekt, ereignis);
}

// Catches what reached the field without typing, such as pasted text.
void frm_Telbuch::nummerVerlassen(QLineEdit& feld)
{
    if (EingabePruefen(feld.text(), 1) == feld.text())
        return;
    meldungen.show(QStringLiteral("Bitte nur Zahlen eingeben!"), platform::Icon::Exclamation);
    feld.clear();
}

void frm_Telbuch::anrufbeantworterGeklickt()
{
    if (verzögert())
        meldungen.show(QStringLiteral("Anrufbeantworterfunktion bei gleichzeitig verzögerter "
                                      "Masterrufumleitung nicht möglich"),
                       platform::Icon::Information);
}

void frm_Telbuch::OKButton_Click()
{
    if (cbo_Türstelle->currentIndex() == 0) {
        meldungen.show(QStringLiteral("Bitte wählen Sie eine Türstation zwischen 1 und 9 aus"),
                       platform::Icon::Exclamation);
        return;
    }
    // The taught call button, columns 6 and 7, stays as it is.
    Telefonbucheintrag e = telefonbuch.modell().eintrag(zeile);
    e.Teilnehmer = txt_Bezeichnung->text();
    e.Nummer1 = txt_TelbuchEintragVariante1->text();
    e.Nummer2 = txt_TelbuchEintragVariante2->text();
    e.Anrufbeantworter =
        QString::number((chk_ab_variante1->isChecked() ? 1 : 0) + (chk_ab_variante2->isChecked() ? 2 : 0));
    e.Türstation = QString::number(cbo_Türstelle->currentIndex());
    telefonbuch.modell().setEintrag(zeile, e);
    close();
}

void frm_Telbuch::closeEvent(QCloseEvent* ereignis)
{
    telefonbuch.zeileMarkieren(zeile);
    hauptfenster.setEnabled(true);
    ereignis->accept();
}
