// The version query, its reset key and the device probe of the first activation, the link scripted.

#include "FirmwareTab.h"
#include "FirmwarestandBefehle.h"
#include "Geraeteprobe.h"
#include "Hauptfenster.h"
#include "KonfigurationTab.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using kommunikation::Antwort;
using kommunikation::Ergebnis;
using platform::Icon;

Q_DECLARE_METATYPE(platform::Icon)

namespace {

const QByteArray Vollständig = "Klingport V2.10 / Bustreiber PIC V1.07\r\n";
const QByteArray Bootlader = "Klingport Bootlader V1.02\r\n";
const QByteArray OhneBustreiber = "Klingport V2.10 / Bustreiber fehlt\r\n";

Antwort antwort(const QByteArray& text)
{
    return {Ergebnis::Erfolg, text};
}

} // namespace

class tst_Firmwarestand : public QObject {
    Q_OBJECT
private slots:
    void versionQuery_data()
    {
        QTest::addColumn<Antwort>("antwort");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("meldung");
        QTest::addColumn<Icon>("symbol");
        QTest::addColumn<bool>("nurBootlader");
        const Antwort v = antwort(Vollständig);
        QTest::newRow("complete") << v
                                  << "Firmwareversion erfolgreich ausgelesen: \r\n\t\t" + QString(Vollständig)
                                  << "Firmware erfolgreich ausgelesen!" << Icon::Information << false;
        QTest::newRow("no bus driver")
            << antwort(OhneBustreiber) << "Das Klingport besitzt keinen Bustreiber!\r\n"
            << "Der Klingport besitzt keinen Bustreiber. Bitte installieren sie eine Bustreiber-Firmware!"
            << Icon::Exclamation << false;
        QTest::newRow("time-out") << Antwort{Ergebnis::Timeout, {}}
                                  << "Firmwareversionauslesen wegen Timeout abgebrochen\r\n"
                                  << "Auslesen wegen Timeout abgebrochen!" << Icon::Critical << true;
        QTest::newRow("busy") << Antwort{Ergebnis::Belegt, {}}
                              << "Firmwareversionauslesen nicht möglich, da die Schnittstelle "
                                 "belegt ist\r\n"
                              << "Andere Programmteile greifen gerade\r\nauf die Schnittstelle zu. \r\n"
                                 "Beenden Sie ggf. die Logfunktion."
                              << Icon::Exclamation << true;
        QTest::newRow("transfer error")
            << Antwort{Ergebnis::Transferfehler, {}}
            << "Firmwareversionauslesen wegen Übertragungsfehlern abgebrochen\r\n"
            << "Auslesen wegen Übertragungsfehlern abgebrochen!" << Icon::Critical << true;
    }

    void versionQuery()
    {
        QFETCH(Antwort, antwort);
        QFETCH(QString, log);
        QFETCH(QString, meldung);
        QFETCH(Icon, symbol);
        QFETCH(bool, nurBootlader);
        Hauptfenster h;
        h.link.bootlader = true; // only an answer changes it
        h.link.versionen = {antwort};
        h.fenster.firmware->lab_Firmwarestand->setText("vorher");
        h.klicken("cmd_FirmwareAuslesen");
        QCOMPARE(h.link.aufrufe, QStringList({"EmpfangspufferLeeren", "LoggenAus", "FirmwareAuslesen"}));
        QCOMPARE(h.bedienbarWährend, QList<bool>{false});
        QVERIFY(h.fenster.isEnabled());
        QCOMPARE(h.log(), "07.12.2026 09:05:00 " + log);
        QCOMPARE(h.meldungen.texts(), QStringList{meldung});
        QCOMPARE(h.meldungen.shown[0].icon, symbol);
        QCOMPARE(h.link.bootlader, nurBootlader);
        QCOMPARE(h.fenster.firmware->lab_Firmwarestand->text(),
                 antwort.erfolgreich() ? QString::fromLatin1(antwort.daten) : "vorher");
    }

    void resetKeyOnceUntilCompleteAnswer()
    {
        Hauptfenster h;
        QPushButton* knopf = h.fenster.firmware->cmd_FirmwareAuslesen;
        FirmwarestandBefehle& befehle = *h.fenster.firmwarestand;
        QTest::keyClick(knopf, 'R'); // upper case is no reset
        QVERIFY(!befehle.resetAngefordert());
        QTest::keyClick(knopf, 'r');
        QVERIFY(befehle.resetAngefordert());
        h.link.versionen = {antwort(Bootlader), antwort(Vollständig)};
        h.klicken("cmd_FirmwareAuslesen");
        QVERIFY(befehle.resetAngefordert()); // the bootloader's answer is not complete
        h.klicken("cmd_FirmwareAuslesen");
        QVERIFY(!befehle.resetAngefordert());
        QVERIFY(!h.link.aufrufe.contains("BootladerResettenSenden")); // the reset itself waits its pause
    }

    // The device's modes are played against the simulator; here the failures it cannot easily play,
    // after which the tabs keep their defaults.
    void probe_data()
    {
        QTest::addColumn<QList<Antwort>>("version");
        QTest::addColumn<QList<Antwort>>("bild");
        QTest::addColumn<QString>("meldung");
        const QList<Antwort> v = {antwort(Vollständig)};
        const QString fehler = "Übertragung wegen Übertragungsfehler abgebrochen";
        QTest::newRow("broken line") << QList<Antwort>{{Ergebnis::Transferfehler, {}}} << QList<Antwort>{}
                                     << fehler;
        QTest::newRow("image time-out") << v << QList<Antwort>{} << "Übertragung wegen TimeOut abgebrochen";
        QTest::newRow("image transfer error") << v << QList<Antwort>{{Ergebnis::Transferfehler, {}}} << fehler;
        QTest::newRow("image busy") << v << QList<Antwort>{{Ergebnis::Belegt, {}}}
                                    << "Die Schnittstelle ist belegt";
    }

    void probe()
    {
        QFETCH(QList<Antwort>, version);
        QFETCH(QList<Antwort>, bild);
        QFETCH(QString, meldung);
        Hauptfenster h;
        h.link.versionen = version;
        h.link.bilder = bild;
        GeraetPruefen(h.fenster.befehlsumgebung(), 1, *h.fenster.firmware, *h.fenster.konfiguration,
                      *h.fenster.telefonbuch);
        QCOMPARE(h.meldungen.texts(), QStringList{meldung});
        QCOMPARE(h.meldungen.shown[0].icon, Icon::Information);
        QCOMPARE(h.fenster.firmware->lab_Firmwarestand->text(), version[0].erfolgreich() ? Vollständig : "");
        QVERIFY(h.log().isEmpty());
        QVERIFY(h.fenster.isEnabled() && !h.bedienbarWährend.contains(true));
        QVERIFY(h.fenster.konfiguration->angezeigteKonfiguration() == Werkseinstellungen());
    }
};

QTEST_MAIN(tst_Firmwarestand)
#include "tst_firmwarestand.moc"
