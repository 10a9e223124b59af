// klingport-linkcheck: runs every link operation once against a Klingport (or klingport-sim) on
// a serial device and prints what came back. A quick check of a cable, a port and a device.

#include "Clock.h"
#include "QtSerialPort.h"
#include "Rahmen.h"
#include "frm_Kommunikation.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

using namespace kommunikation;

namespace {


QByteArray lesbar(QByteArray text)
{
    return text.replace("\r", "\\r").replace("\n", "\\n");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Runs each device link operation once and prints the results.");
    parser.addHelpOption();
    parser.addPositionalArgument("device", "Serial device of the Klingport, e.g. /dev/ttyUSB0.");
    QCommandLineOption logSeconds("log-seconds", "How long to watch bus reports (default 3).", "seconds",
                                  "3");
    QCommandLineOption store("store", "Also store the image just read back into the device.");
    parser.addOptions({logSeconds, store});
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);
    const QString device = parser.positionalArguments().first();

    platform::QtSerialPort port;
    platform::SteadyClock clock;
    frm_Kommunikation link(port, clock, [&](int) { return device; });
    if (!link.ComportÖffnen(1)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(device));
        return 1;
    }
    int fehler = 0;
    QElapsedTimer uhr;
    const auto melden = [&](const char* was, Ergebnis ergebnis, const QByteArray& detail = {}) {
        std::printf("%-22s %-15s %6lld ms  %s\n", was, kommunikation::text(ergebnis), static_cast<long long>(uhr.elapsed()),
                    detail.constData());
        std::fflush(stdout);
        fehler += ergebnis != Ergebnis::Erfolg;
    };

    uhr.start();
    const Antwort version = link.FirmwareAuslesen();
    melden("firmware version", version.ergebnis, lesbar(version.daten));

    uhr.start();
    const Antwort abbild = link.KonfigurationLaden();
    melden("read image", abbild.ergebnis, QByteArray::number(abbild.daten.size()) + " bytes");

    if (parser.isSet(store) && abbild.erfolgreich()) {
        uhr.start();
        melden("store image", link.KonfigurationSenden(abbild.daten));
    }

    uhr.start();
    const Antwort ruftaste = link.RufInformationAbholen(1, 1);
    melden("call button 1/1", ruftaste.ergebnis, lesbar(ruftaste.daten));

    int zeilen = 0;
    QObject::connect(&link, &frm_Kommunikation::berichtszeileEmpfangen, [&](const QByteArray& zeile) {
        ++zeilen;
        std::printf("    report: %s\n", lesbar(zeile).constData());
    });
    uhr.start();
    melden("logging on", link.LoggenEin());
    QTimer::singleShot(parser.value(logSeconds).toInt() * 1000, &app, &QApplication::quit);
    app.exec();
    link.LoggenAus();
    std::printf("logging off after %d report lines\n", zeilen);
    return fehler == 0 ? 0 : 1;
}
