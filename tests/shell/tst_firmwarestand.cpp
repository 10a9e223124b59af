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

const Antwort Vollständig{Ergebnis::Erfolg, "Klingport V2.10 / Bustreiber PIC V1.07\r\n"};
const Antwort Gestört{Ergebnis::Transferfehler, {}};

} // namespace

class tst_Firmwarestand : public QObject {
    Q_OBJECT
private slots:
    // A reset asked for by the key stands until a complete answer; the reset itself waits its pause.
    void versionQuery_data()
    {
        QTest::addColumn<Antwort>("antwort");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("meldung");
        QTest::addColumn<Icon>("symbol");
        QTest::addColumn<bool>("nurBootlader");
        QTest::newRow("complete") << Vollständig
                                  << "Firmwareversion erfolgreich ausgelesen: \r\n\t\t" +
                                         QString(Vollständig.daten)
                                  << "Firmware erfolgreich ausgelesen!" << Icon::Information << false;
        QTest::newRow("no bus driver")
            << Antwort{Ergebnis::Erfolg, "Klingport V2.10 / Bustreiber fehlt\r\n"}
            << "Das Klingport besitzt keinen Bustreiber!\r\n"
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
            << Gestört << "Firmwareversionauslesen wegen Übertragungsfehlern abgebrochen\r\n"
            << "Auslesen wegen Übertragungsfehlern abgebrochen!" << Icon::Critical << true;
    }
    void versionQuery()
    {
        QFETCH(Antwort, antwort);
        Hauptfenster h;
        h.link.bootlader = true; // only an answer changes it
        QTest::keyClick(h.fenster.firmware->cmd_FirmwareAuslesen, 'r');
        h.link.versionen = {antwort};
        h.fenster.firmware->lab_Firmwarestand->setText("vorher");
        h.klicken("cmd_FirmwareAuslesen");
        QCOMPARE(h.link.aufrufe, QStringList({"EmpfangspufferLeeren", "LoggenAus", "FirmwareAuslesen"}));
        QCOMPARE(h.bedienbarWährend, QList<bool>{false});
        QVERIFY(h.fenster.isEnabled());
        QFETCH(QString, log);
        QCOMPARE(h.log(), "07.12.2026 09:05:00 " + log);
        QFETCH(QString, meldung);
        QCOMPARE(h.meldungen.texts(), QStringList{meldung});
        QTEST(h.meldungen.shown[0].icon, "symbol");
        QTEST(h.link.bootlader, "nurBootlader");
        QCOMPARE(h.fenster.firmware->lab_Firmwarestand->text(),
                 antwort.erfolgreich() ? QString::fromLatin1(antwort.daten) : "vorher");
        QCOMPARE(h.fenster.firmwarestand->resetAngefordert(), antwort.daten != Vollständig.daten);
    }

    // The device's modes are played against the simulator; here the failures it cannot easily play,
    // after which the tabs keep their defaults.
    void probe_data()
    {
        QTest::addColumn<QList<Antwort>>("version");
        QTest::addColumn<QList<Antwort>>("bild");
        QTest::addColumn<QString>("meldung");
        const QList<Antwort> v = {Vollständig};
        const QString fehler = "Übertragung wegen Übertragungsfehler abgebrochen";
        QTest::newRow("broken line") << QList<Antwort>{Gestört} << QList<Antwort>{} << fehler;
        QTest::newRow("image time-out") << v << QList<Antwort>{} << "Übertragung wegen TimeOut abgebrochen";
        QTest::newRow("image transfer error") << v << QList<Antwort>{Gestört} << fehler;
        QTest::newRow("image busy") << v << QList<Antwort>{{Ergebnis::Belegt, {}}}
                                    << "Die Schnittstelle ist belegt";
    }
    void probe()
    {
        QFETCH(QList<Antwort>, version);
        QFETCH(QList<Antwort>, bild);
        Hauptfenster h;
        h.link.versionen = version;
        h.link.bilder = bild;
        GeraetPruefen(h.fenster.befehlsumgebung(), 1, *h.fenster.firmware, *h.fenster.konfiguration,
                      *h.fenster.telefonbuch);
        QFETCH(QString, meldung);
        QCOMPARE(h.meldungen.texts(), QStringList{meldung});
        QCOMPARE(h.meldungen.shown[0].icon, Icon::Information);
        QCOMPARE(h.fenster.firmware->lab_Firmwarestand->text(), QString::fromLatin1(version[0].daten));
        QVERIFY(h.log().isEmpty());
        QVERIFY(h.fenster.isEnabled() && !h.bedienbarWährend.contains(true));
        QVERIFY(h.fenster.konfiguration->angezeigteKonfiguration() == Werkseinstellungen());
    }
};

QTEST_MAIN(tst_Firmwarestand)
#include "tst_firmwarestand.moc"
