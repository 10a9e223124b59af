#include "FirmwareTab.h"
#include "KonfigurationTab.h"
#include "LoggenTab.h"
#include "TelefonbuchTab.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <array>
#include <memory>

namespace {

enum Tab { Konfiguration, Telefonbuch, Loggen, Firmware };

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
        row(Konfiguration, "Frame10", "QGroupBox", "", "Anschlussart");
        row(Konfiguration, "obu_Nebenstellenanschluß", "QRadioButton", "Frame10", "Nebenstellenanschluss");
        row(Konfiguration, "obu_Amtsanschluß", "QRadioButton", "Frame10", "Amtsanschluss");
        row(Konfiguration, "Frame1", "QGroupBox", "", "Konfiguration");
        row(Konfiguration, "cmd_KonfigAusAnlageLaden", "QPushButton", "Frame1", "Aus Klingport laden", false);
        row(Konfiguration, "cmd_KonfigInAnlageSpeichern", "QPushButton", "Frame1", "In Klingport speichern",
            false);
        row(Konfiguration, "cmd_Werkseinstellungen", "QPushButton", "Frame1", " Werkseinstellungen");
        row(Konfiguration, "cmd_KonfigAusDateiLaden", "QPushButton", "Frame1", "Aus Datei laden");
        row(Konfiguration, "cmd_KonfigInDateiSpeichern", "QPushButton", "Frame1", "In Datei speichern");
        row(Konfiguration, "cmd_KonfigDrucken", "QPushButton", "Frame1", "Drucken");
        row(Konfiguration, "Frame6", "QGroupBox", "", "Mithören");
        row(Konfiguration, "obu_MithörAus", "QRadioButton", "Frame6", "An");
        row(Konfiguration, "obu_MithörAn", "QRadioButton", "Frame6", "Aus");
        row(Konfiguration, "Frame7", "QGroupBox", "", "Masterumleitungsnummer");
        row(Konfiguration, "chk_ab_masterrufumleitung", "QCheckBox", "Frame7", "Anrufbeantworter");
        row(Konfiguration, "obu_aus", "QRadioButton", "Frame7", "aus");
        row(Konfiguration, "obu_verzögert", "QRadioButton", "Frame7", "verzögert");
        row(Konfiguration, "obu_sofort", "QRadioButton", "Frame7", "sofort");
        row(Konfiguration, "txt_Masterumleitungsnummer", "QLineEdit", "Frame7", "");
        row(Konfiguration, "Frame8", "QGroupBox", "", "Variantenumschaltung");
        row(Konfiguration, "obu_Variante1", "QRadioButton", "Frame8", "1 (Tag)");
        row(Konfiguration, "obu_Variante2", "QRadioButton", "Frame8", "2 (Nacht)");
        row(Konfiguration, "lab_PIN", "QLabel", "", "PIN :");
        row(Konfiguration, "txt_PIN", "QLineEdit", "", "");
        row(Konfiguration, "lab_LokaleRufzeit", "QLabel", "", "Lokale Rufzeit (in Sek.) :");
        row(Konfiguration, "txt_LokaleRufzeit", "QLineEdit", "", "");
        row(Konfiguration, "lab_ExterneRufzeit", "QLabel", "", "Externe Rufzeit (in Sek.) :");
        row(Konfiguration, "txt_ExterneRufzeit", "QLineEdit", "", "");
        row(Konfiguration, "lab_Türgesprächszeit", "QLabel", "", "Türgesprächszeit (in Sek.) :");
        row(Konfiguration, "txt_Türgesprächszeit", "QLineEdit", "", "");

        row(Telefonbuch, "MSFlexGrid1", "QTableWidget", "", "");
        row(Telefonbuch, "Frame3", "QGroupBox", "", "Telefonbuch");
        row(Telefonbuch, "cmd_TelbuchAusAnlageLaden", "QPushButton", "Frame3", "Aus Klingport laden", false);
        row(Telefonbuch, "cmd_TelbuchInAnlageSpeichern", "QPushButton", "Frame3", "In Klingport speichern",
            false);
        row(Telefonbuch, "cmd_TelbuchAusAnlageLoeschen", "QPushButton", "Frame3", "Telefonbuch löschen");
        row(Telefonbuch, "cmd_TelbuchAusDateiLaden", "QPushButton", "Frame3", "Aus Datei laden");
        row(Telefonbuch, "cmd_TelbuchInDateiSpeichern", "QPushButton", "Frame3", "In Datei speichern");
        row(Telefonbuch, "cmd_TelbuchDrucken", "QPushButton", "Frame3", "Drucken");
        row(Telefonbuch, "Frame2", "QGroupBox", "", "Telefonbucheintrag");
        row(Telefonbuch, "cmd_TelbuchBearbeiten", "QPushButton", "Frame2", "Bearbeiten");
        row(Telefonbuch, "cmd_TelbuchLöschen", "QPushButton", "Frame2", "Löschen");
        row(Telefonbuch, "Cmd_RufInformationAbholen", "QPushButton", "Frame2", "Ruftaste zuordnen");

        row(Loggen, "txt_Log", "QPlainTextEdit", "", "");
        row(Loggen, "Frame5", "QGroupBox", "", "Loggen");
        row(Loggen, "cmd_StartLog", "QPushButton", "Frame5", "Start");
        row(Loggen, "cmd_SaveLog", "QPushButton", "Frame5", "Speichern");
        row(Loggen, "cmd_OpenLog", "QPushButton", "Frame5", "Öffnen");
        row(Loggen, "cmd_DeleteLog", "QPushButton", "Frame5", "Löschen");
        row(Loggen, "chk_AutoSroll", "QCheckBox", "Frame5", "Auto-Scroll");
        row(Loggen, "cmd_LoggDrucken", "QPushButton", "Frame5", "Drucken");

        row(Firmware, "Frame4", "QGroupBox", "", "Firmwaredatei");
        row(Firmware, "cmd_Update", "QPushButton", "Frame4", "Übertragen");
        row(Firmware, "cmd_FirmwaredateiÄndern", "QPushButton", "Frame4", "Datei auswählen");
        row(Firmware, "lab_Firmwaredateiname", "QLabel", "Frame4", "");
        row(Firmware, "fra_Firmwarestand", "QGroupBox", "", "Firmwarestand");
        row(Firmware, "cmd_FirmwareAuslesen", "QPushButton", "fra_Firmwarestand", "Auslesen");
        row(Firmware, "lab_Firmwarestand", "QLabel", "fra_Firmwarestand", "");
        row(Firmware, "Frame9", "QGroupBox", "", "Bustreiberdatei");
        row(Firmware, "cmd_Bustreiberupdate", "QPushButton", "Frame9", "Übertragen");
        row(Firmware, "cmd_BustreiberdateiÄndern", "QPushButton", "Frame9", "Datei auswählen");
        row(Firmware, "lab_Bustreiberdateiname", "QLabel", "Frame9", "");
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

    void logIsReadOnly() { QVERIFY(static_cast<LoggenTab&>(*tabs[Loggen]).txt_Log->isReadOnly()); }

    void textLimits_data()
    {
        QTest::addColumn<int>("maxLength");
        QTest::newRow("txt_PIN") << 4;
        QTest::newRow("txt_LokaleRufzeit") << 3;
        QTest::newRow("txt_ExterneRufzeit") << 3;
        QTest::newRow("txt_Türgesprächszeit") << 3;
        QTest::newRow("txt_Masterumleitungsnummer") << 25;
    }

    void textLimits()
    {
        QFETCH(int, maxLength);
        auto* edit = tabs[Konfiguration]->findChild<QLineEdit*>(u8(QTest::currentDataTag()));
        QVERIFY(edit);
        QCOMPARE(edit->maxLength(), maxLength);
    }

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

    void fitsTabPage_data()
    {
        QTest::addColumn<int>("tab");
        QTest::newRow("Konfiguration") << int(Konfiguration);
        QTest::newRow("Telefonbuch") << int(Telefonbuch);
        QTest::newRow("Loggen") << int(Loggen);
        QTest::newRow("Firmware") << int(Firmware);
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
