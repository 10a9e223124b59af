#include "FirmwareTab.h"
#include "KonfigurationTab.h"
#include "LoggenTab.h"
#include "TelefonbuchTab.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <array>
#include <memory>

namespace {

enum Tab { KonfigurationSeite, TelefonbuchSeite, LoggenSeite, FirmwareSeite };

QString u8(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString captionOf(const QWidget* element)
{
    if (auto* button = qobject_cast<const QAbstractButton*>(element))
        return button->text();
    if (auto* box = qobject_cast<const QGroupBox*>(element))
        return box->title();
    if (auto* label = qobject_cast<const QLabel*>(element))
        return label->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(element))
        return edit->text();
    if (auto* log = qobject_cast<const QPlainTextEdit*>(element))
        return log->toPlainText();
    return {};
}

// The frame a control sits in, empty when it sits on the tab itself.
QString frameOf(const QWidget* element, const QWidget* tab)
{
    for (QWidget* up = element->parentWidget(); up && up != tab; up = up->parentWidget())
        if (auto* box = qobject_cast<QGroupBox*>(up))
            return box->objectName();
    return {};
}

} // namespace

class TabsTest : public QObject {
    Q_OBJECT
    std::array<std::unique_ptr<QWidget>, 4> tabs;

private slots:
    void initTestCase()
    {
        tabs = {std::make_unique<KonfigurationTab>(), std::make_unique<TelefonbuchTab>(),
                std::make_unique<LoggenTab>(), std::make_unique<FirmwareTab>()};
    }

    void controls_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("enabled");
        const auto row = [](Tab tab, const char* name, const char* kind, const char* frame,
                            const char* caption, bool enabled = true) {
            QTest::newRow(name) << int(tab) << u8(kind) << u8(frame) << u8(caption) << enabled;
        };
        row(KonfigurationSeite, "Frame10", "QGroupBox", "", "Anschlussart");
        row(KonfigurationSeite, "obu_Nebenstellenanschluß", "QRadioButton", "Frame10",
            "Nebenstellenanschluss");
        row(KonfigurationSeite, "obu_Amtsanschluß", "QRadioButton", "Frame10", "Amtsanschluss");
        row(KonfigurationSeite, "Frame1", "QGroupBox", "", "Konfiguration");
        row(KonfigurationSeite, "cmd_KonfigAusAnlageLaden", "QPushButton", "Frame1", "Aus Klingport laden",
            false);
        row(KonfigurationSeite, "cmd_KonfigInAnlageSpeichern", "QPushButton", "Frame1",
            "In Klingport speichern", false);
        row(KonfigurationSeite, "cmd_Werkseinstellungen", "QPushButton", "Frame1", " Werkseinstellungen");
        row(KonfigurationSeite, "cmd_KonfigAusDateiLaden", "QPushButton", "Frame1", "Aus Datei laden");
        row(KonfigurationSeite, "cmd_KonfigInDateiSpeichern", "QPushButton", "Frame1", "In Datei speichern");
        row(KonfigurationSeite, "cmd_KonfigDrucken", "QPushButton", "Frame1", "Drucken");
        row(KonfigurationSeite, "Frame6", "QGroupBox", "", "Mithören");
        row(KonfigurationSeite, "obu_MithörAus", "QRadioButton", "Frame6", "An");
        row(KonfigurationSeite, "obu_MithörAn", "QRadioButton", "Frame6", "Aus");
        row(KonfigurationSeite, "Frame7", "QGroupBox", "", "Masterumleitungsnummer");
        row(KonfigurationSeite, "chk_ab_masterrufumleitung", "QCheckBox", "Frame7", "Anrufbeantworter");
        row(KonfigurationSeite, "obu_aus", "QRadioButton", "Frame7", "aus");
        row(KonfigurationSeite, "obu_verzögert", "QRadioButton", "Frame7", "verzögert");
        row(KonfigurationSeite, "obu_sofort", "QRadioButton", "Frame7", "sofort");
        row(KonfigurationSeite, "txt_Masterumleitungsnummer", "QLineEdit", "Frame7", "");
        row(KonfigurationSeite, "Frame8", "QGroupBox", "", "Variantenumschaltung");
        row(KonfigurationSeite, "obu_Variante1", "QRadioButton", "Frame8", "1 (Tag)");
        row(KonfigurationSeite, "obu_Variante2", "QRadioButton", "Frame8", "2 (Nacht)");
        row(KonfigurationSeite, "lab_PIN", "QLabel", "", "PIN :");
        row(KonfigurationSeite, "txt_PIN", "QLineEdit", "", "");
        row(KonfigurationSeite, "lab_LokaleRufzeit", "QLabel", "", "Lokale Rufzeit (in Sek.) :");
        row(KonfigurationSeite, "txt_LokaleRufzeit", "QLineEdit", "", "");
        row(KonfigurationSeite, "lab_ExterneRufzeit", "QLabel", "", "Externe Rufzeit (in Sek.) :");
        row(KonfigurationSeite, "txt_ExterneRufzeit", "QLineEdit", "", "");
        row(KonfigurationSeite, "lab_Türgesprächszeit", "QLabel", "", "Türgesprächszeit (in Sek.) :");
        row(KonfigurationSeite, "txt_Türgesprächszeit", "QLineEdit", "", "");

        row(TelefonbuchSeite, "MSFlexGrid1", "QTableView", "", "");
        row(TelefonbuchSeite, "Frame3", "QGroupBox", "", "Telefonbuch");
        row(TelefonbuchSeite, "cmd_TelbuchAusAnlageLaden", "QPushButton", "Frame3", "Aus Klingport laden",
            false);
        row(TelefonbuchSeite, "cmd_TelbuchInAnlageSpeichern", "QPushButton", "Frame3",
            "In Klingport speichern", false);
        row(TelefonbuchSeite, "cmd_TelbuchAusAnlageLoeschen", "QPushButton", "Frame3", "Telefonbuch löschen");
        row(TelefonbuchSeite, "cmd_TelbuchAusDateiLaden", "QPushButton", "Frame3", "Aus Datei laden");
        row(TelefonbuchSeite, "cmd_TelbuchInDateiSpeichern", "QPushButton", "Frame3", "In Datei speichern");
        row(TelefonbuchSeite, "cmd_TelbuchDrucken", "QPushButton", "Frame3", "Drucken");
        row(TelefonbuchSeite, "Frame2", "QGroupBox", "", "Telefonbucheintrag");
        row(TelefonbuchSeite, "cmd_TelbuchBearbeiten", "QPushButton", "Frame2", "Bearbeiten");
        row(TelefonbuchSeite, "cmd_TelbuchLöschen", "QPushButton", "Frame2", "Löschen");
        row(TelefonbuchSeite, "Cmd_RufInformationAbholen", "QPushButton", "Frame2", "Ruftaste zuordnen");

        row(LoggenSeite, "txt_Log", "QPlainTextEdit", "", "");
        row(LoggenSeite, "Frame5", "QGroupBox", "", "Loggen");
        row(LoggenSeite, "cmd_StartLog", "QPushButton", "Frame5", "Start");
        row(LoggenSeite, "cmd_SaveLog", "QPushButton", "Frame5", "Speichern");
        row(LoggenSeite, "cmd_OpenLog", "QPushButton", "Frame5", "Öffnen");
        row(LoggenSeite, "cmd_DeleteLog", "QPushButton", "Frame5", "Löschen");
        row(LoggenSeite, "chk_AutoSroll", "QCheckBox", "Frame5", "Auto-Scroll");
        row(LoggenSeite, "cmd_LoggDrucken", "QPushButton", "Frame5", "Drucken");

        row(FirmwareSeite, "Frame4", "QGroupBox", "", "Firmwaredatei");
        row(FirmwareSeite, "cmd_Update", "QPushButton", "Frame4", "Übertragen");
        row(FirmwareSeite, "cmd_FirmwaredateiÄndern", "QPushButton", "Frame4", "Datei auswählen");
        row(FirmwareSeite, "lab_Firmwaredateiname", "QLabel", "Frame4", "");
        row(FirmwareSeite, "fra_Firmwarestand", "QGroupBox", "", "Firmwarestand");
        row(FirmwareSeite, "cmd_FirmwareAuslesen", "QPushButton", "fra_Firmwarestand", "Auslesen");
        row(FirmwareSeite, "lab_Firmwarestand", "QLabel", "fra_Firmwarestand", "");
        row(FirmwareSeite, "Frame9", "QGroupBox", "", "Bustreiberdatei");
        row(FirmwareSeite, "cmd_Bustreiberupdate", "QPushButton", "Frame9", "Übertragen");
        row(FirmwareSeite, "cmd_BustreiberdateiÄndern", "QPushButton", "Frame9", "Datei auswählen");
        row(FirmwareSeite, "lab_Bustreiberdateiname", "QLabel", "Frame9", "");
    }

    // The data tag is the objectName, so a misspelt name fails here as a missing control.
    void controls()
    {
        QFETCH(int, tab);
        QFETCH(QString, kind);
        QFETCH(QString, frame);
        QFETCH(QString, caption);
        QFETCH(bool, enabled);

        const auto found = tabs[tab]->findChildren<QWidget*>(u8(QTest::currentDataTag()));
        QCOMPARE(found.size(), 1);
        const QWidget* element = found.first();
        QCOMPARE(u8(element->metaObject()->className()), kind);
        QCOMPARE(frameOf(element, tabs[tab].get()), frame);
        QCOMPARE(captionOf(element), caption);
        QCOMPARE(element->isEnabled(), enabled);
        if (auto* box = qobject_cast<const QCheckBox*>(element))
            QVERIFY(!box->isChecked());
    }

    void logIsReadOnly() { QVERIFY(static_cast<LoggenTab&>(*tabs[LoggenSeite]).txt_Log->isReadOnly()); }

    void optionGroups_data()
    {
        QTest::addColumn<QStringList>("group");
        QTest::newRow("Anschlussart") << QStringList{u8("obu_Nebenstellenanschluß"), u8("obu_Amtsanschluß")};
        QTest::newRow("Mithören") << QStringList{u8("obu_MithörAus"), u8("obu_MithörAn")};
        QTest::newRow("Masterumleitung") << QStringList{u8("obu_aus"), u8("obu_verzögert"), u8("obu_sofort")};
        QTest::newRow("Variante") << QStringList{u8("obu_Variante1"), u8("obu_Variante2")};
    }

    // Selecting in one group clears the rest of that group and leaves the other three groups' choices.
    void optionGroups()
    {
        QFETCH(QStringList, group);
        KonfigurationTab tab;
        const auto all = tab.findChildren<QRadioButton*>();
        const auto checkedCount = [&] {
            return int(std::count_if(all.begin(), all.end(), [](QRadioButton* b) { return b->isChecked(); }));
        };
        for (QRadioButton* other : all)
            if (!group.contains(other->objectName()))
                other->setChecked(true);
        QCOMPARE(checkedCount(), 3);

        for (const QString& name : group) {
            auto* button = tab.findChild<QRadioButton*>(name);
            QVERIFY(button);
            button->setChecked(true);
            for (const QString& neighbour : group)
                QCOMPARE(tab.findChild<QRadioButton*>(neighbour)->isChecked(), neighbour == name);
            QCOMPARE(checkedCount(), 4);
        }
    }

    void accessibleNames_data() { fitsTabPage_data(); }

    void fitsTabPage_data()
    {
        QTest::addColumn<int>("tab");
        QTest::newRow("Konfiguration") << int(KonfigurationSeite);
        QTest::newRow("Telefonbuch") << int(TelefonbuchSeite);
        QTest::newRow("Loggen") << int(LoggenSeite);
        QTest::newRow("Firmware") << int(FirmwareSeite);
    }

    // What a screen reader announces: every control a user reaches has a name, a text box its label's.
    void accessibleNames()
    {
        QFETCH(int, tab);
        const auto name = [](QWidget* w) {
            QAccessibleInterface* schnittstelle = QAccessible::queryAccessibleInterface(w);
            return schnittstelle ? schnittstelle->text(QAccessible::Name) : QString();
        };
        for (QWidget* w : tabs[tab]->findChildren<QWidget*>()) {
            if (w->objectName().isEmpty() || w->objectName().startsWith("qt_")) // Qt's own parts of a control
                continue;
            if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                qobject_cast<QGroupBox*>(w) || qobject_cast<QAbstractScrollArea*>(w))
                QVERIFY2(!name(w).isEmpty(),
                         qPrintable(w->objectName() + " " + w->metaObject()->className()));
        }
        if (tab == KonfigurationSeite) {
            QCOMPARE(name(tabs[tab]->findChild<QLineEdit*>("txt_PIN")), "PIN :");
            QCOMPARE(name(tabs[tab]->findChild<QLineEdit*>(u8("txt_Türgesprächszeit"))),
                     u8("Türgesprächszeit (in Sek.) :"));
        }
    }

    // The fixed main window leaves each tab page 655 x 370; every control must show whole within it.
    void fitsTabPage()
    {
        QFETCH(int, tab);
        const QSize minimum = tabs[tab]->minimumSizeHint();
        QVERIFY2(minimum.width() <= 655 && minimum.height() <= 370,
                 qPrintable(QStringLiteral("%1 x %2").arg(minimum.width()).arg(minimum.height())));
    }
};

QTEST_MAIN(TabsTest)
#include "tst_tabs.moc"
