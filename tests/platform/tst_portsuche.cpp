// Serial adapters get their COM numbers by themselves: a tree of /dev/serial/by-id links to a
// simulated device's pseudo-terminal, plugged and unplugged step by step.

#include "FakeSettingsStore.h"
#include "Portsuche.h"
#include "SimProcess.h"
#include "Testdaten.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Einträge = QMap<QString, QString>; // "COM1" -> device; a leading "@" means inside the tree

class tst_Portsuche : public QObject {
    Q_OBJECT
private slots:
    void zuordnen_data()
    {
        QTest::addColumn<Einträge>("vorher");
        QTest::addColumn<QStringList>("schritte");
        QTest::addColumn<Einträge>("nachher");
        // "+name" plugs an adapter in, as a link to the device in by-id or, for a dev/ name, in dev;
        // "-name" pulls it out; a bare dev/ name is a port with nothing behind it; "=" runs the assignment.
        QTest::newRow("neu eingesteckt in anderer Reihenfolge")
            << Einträge{} << QStringList{"+usb-b", "=",      "+usb-a", "=",      "-usb-a", "-usb-b",
                                         "=",      "+usb-a", "=",      "+usb-b", "="}
            << Einträge{{"COM1", "@by-id/usb-b"}, {"COM2", "@by-id/usb-a"}};
        QTest::newRow("von Hand gesetzt bleibt")
            << Einträge{{"COM1", "/dev/ttyUSB7"}} << QStringList{"+usb-a", "="}
            << Einträge{{"COM1", "/dev/ttyUSB7"}, {"COM2", "@by-id/usb-a"}};
        QTest::newRow("der siebte bekommt keine")
            << Einträge{}
            << QStringList{"+usb-1", "+usb-2", "+usb-3", "+usb-4", "+usb-5", "+usb-6", "+usb-7", "="}
            << Einträge{{"COM1", "@by-id/usb-1"}, {"COM2", "@by-id/usb-2"}, {"COM3", "@by-id/usb-3"},
                        {"COM4", "@by-id/usb-4"}, {"COM5", "@by-id/usb-5"}, {"COM6", "@by-id/usb-6"}};
        // ttyS0 has no UART, ttyS1 has one; ttyUSB0 has no stable name, ttyUSB1 is reached by one.
        QTest::newRow("Phantom-ttyS und Adapter ohne festen Namen")
            << Einträge{}
            << QStringList{"dev/ttyS0", "dev/ttyS1", "dev/ttyUSB0", "+dev/ttyUSB1", "+usb-a", "="}
            << Einträge{{"COM1", "@by-id/usb-a"}, {"COM2", "@dev/ttyUSB0"}, {"COM3", "@dev/ttyS1"}};
    }
    void zuordnen()
    {
        QFETCH(Einträge, vorher);
        QFETCH(QStringList, schritte);
        QFETCH(Einträge, nachher);
        SimProcess sim({"--baud", "0"});
        QVERIFY(!sim.ptyPath().isEmpty());
        QTemporaryDir baum;
        for (const char* ordner : {"by-id", "dev", "sys/ttyS0", "sys/ttyS1"})
            QVERIFY(QDir(baum.path()).mkpath(ordner));
        dateiAnlegen(baum.filePath("sys/ttyS0/type"), "0\n");
        dateiAnlegen(baum.filePath("sys/ttyS1/type"), "4\n");
        FakeSettingsStore settings;
        const auto imBaum = [&](QString pfad) {
            return pfad.startsWith('@') ? baum.filePath(pfad.mid(1)) : pfad;
        };
        for (auto it = vorher.cbegin(); it != vorher.cend(); ++it)
            settings.setValue("Ports", it.key(), imBaum(it.value()));
        const platform::Portordner ordner{baum.filePath("by-id"), baum.filePath("dev"), baum.filePath("sys")};
        for (const QString& schritt : schritte) {
            const QString name = schritt.mid(schritt.startsWith('+') || schritt.startsWith('-') ? 1 : 0);
            const QString pfad = baum.filePath(name.startsWith("dev/") ? name : "by-id/" + name);
            if (schritt == "=")
                platform::PortsZuordnen(settings, platform::vorhandeneSeriellePorts(ordner));
            else if (schritt.startsWith('+'))
                QVERIFY(QFile::link(sim.ptyPath(), pfad));
            else if (schritt.startsWith('-'))
                QVERIFY(QFile::remove(pfad));
            else
                dateiAnlegen(pfad, {});
        }
        Einträge erwartet;
        for (auto it = nachher.cbegin(); it != nachher.cend(); ++it)
            erwartet.insert("Ports/" + it.key(), imBaum(it.value()));
        QCOMPARE(settings.values, erwartet);
    }
};

QTEST_GUILESS_MAIN(tst_Portsuche)
#include "tst_portsuche.moc"
