// klingport-benchmark: the program's transfers against the paced klingport-sim, and lrzsz's, beside a
// 19200-baud floor.

#include "Clock.h"
#include "Figures.h"
#include "LogBench.h"
#include "LrzszProcess.h"
#include "MessageBoxes.h"
#include "PrintBench.h"
#include "Programm.h"
#include "PtyLineProcess.h"
#include "QtPlattform.h"
#include "QtSerialPort.h"
#include "Rahmen.h"
#include "RecordingSerialPort.h"
#include "SimProcess.h"
#include "Speicher.h"
#include "TrafficAnalysis.h"
#include "frm_Haupt.h"
#include "frm_Kommunikation.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

using kommunikation::Ergebnis;

namespace {

constexpr int Baud = 19200;
constexpr qint64 ByteNs = 10'000'000'000 / Baud;
// The device answers an upload's EOT at once: its store time is set to this on the simulator.
constexpr double StoreDelaySeconds = 0;
// The program sends its first NAK for the image one second after "U" CR.
constexpr double FirstNakSeconds = 1;
constexpr int ImageBytes = kommunikation::Abbildgröße;
constexpr int FirmwareBytes = 255 * kommunikation::Blockgröße;

double lineSeconds(qint64 bytes)
{
    return double(bytes) * double(ByteNs) / 1e9;
}

QByteArray pattern(int size, int seed)
{
    QByteArray bytes(size, 0);
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 31 + seed) & 0xFF);
    return bytes;
}

// Lets the other side settle between runs, so each starts on an idle line.
void pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The program's link, through a recording port, to the simulator.
struct ProgramLink {
    QElapsedTimer clock;
    platform::QtSerialPort qtPort;
    RecordingSerialPort port{qtPort, [this] { return clock.nsecsElapsed(); }};
    platform::SteadyClock linkClock;
    frm_Kommunikation form;

    explicit ProgramLink(const QString& path) : form(port, linkClock, [path](int) { return path; })
    {
        clock.start();
    }

    // Runs `operation` `runs` times; `prescribedSeconds` is the wait the protocol itself adds.
    Figures measure(const QString& name, int runs, double prescribedSeconds,
                    const std::function<Ergebnis(frm_Kommunikation&)>& operation)
    {
        Figures figures;
        figures.name = name;
        for (int run = 0; run < runs; ++run) {
            pause(200);
            port.forget();
            const qint64 start = clock.nsecsElapsed();
            const Ergebnis ergebnis = operation(form);
            const double wall = double(clock.nsecsElapsed() - start) / 1e9;
            if (ergebnis != Ergebnis::Erfolg) {
                figures.failure = QStringLiteral("run %1: %2")
                                      .arg(run + 1)
                                      .arg(QLatin1String(kommunikation::text(ergebnis)));
                continue;
            }
            const TrafficAnalysis traffic =
                analyseTraffic(port.passages(), ByteNs, qint64(StoreDelaySeconds * 1e9));
            figures.wallSeconds.append(wall);
            figures.wireBytes.append(traffic.bytesOnWire());
            figures.floorSeconds.append(lineSeconds(traffic.bytesOnWire()) + prescribedSeconds);
            figures.programSeconds.append(traffic.programSeconds);
            figures.peerSeconds.append(traffic.peerSeconds);
        }
        return figures;
    }
};

struct Startup {
    QList<double> shownMs;  // constructing the program until its main window is shown
    QList<double> probedMs; // until the end of the first activation: port opened, device probed
};

Startup measureStartup(const QString& port, int runs, const QDir& dir)
{
    Startup startup;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        shell::QtPlattform plattform(dir.filePath(QStringLiteral("startup-%1.ini").arg(run)));
        plattform.settings.setValue(QStringLiteral("Settings"), QStringLiteral("Comport"), QString(QChar(1)));
        plattform.settings.setValue(QStringLiteral("Ports"), QStringLiteral("COM1"), port);
        platform::AnsweringMessageBoxes meldungen; // so that start-up can be timed to its end
        shell::Programm programm(plattform.teile(meldungen));
        if (!programm.starten())
            return {};
        startup.shownMs.append(double(clock.nsecsElapsed()) / 1e6);
        while (!programm.ersteAktivierungVorbei())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        startup.probedMs.append(double(clock.nsecsElapsed()) / 1e6);
        programm.hauptfenster().close();
        if (meldungen.shown != QStringList{QStringLiteral("Einstellungen wurden vom Klingport geladen!")})
            return {};
    }
    std::sort(startup.shownMs.begin(), startup.shownMs.end());
    std::sort(startup.probedMs.begin(), startup.probedMs.end());
    return startup;
}

// sx sends `size` bytes to rx over the cable paced at the line's speed, `runs` times.
Figures measureLrzsz(int size, int runs, const QDir& dir)
{
    Figures figures;
    figures.name = QStringLiteral("lrzsz sx -> rx, %1 bytes").arg(size);
    const QByteArray sent = pattern(size, 5);
    QFile source(dir.filePath(QStringLiteral("sent-%1.bin").arg(size)));
    if (!source.open(QIODevice::WriteOnly) || source.write(sent) != sent.size()) {
        figures.failure = source.errorString();
        return figures;
    }
    source.close();
    static const QRegularExpression totals(QStringLiteral("a->b (\\d+) bytes, b->a (\\d+) bytes"));
    for (int run = 0; run < runs; ++run) {
        const QString received = QStringLiteral("received-%1-%2.bin").arg(size).arg(run);
        PtyLineProcess cable({"--baud", QString::number(Baud)});
        LrzszProcess rx("rx", {"-b", "-q", received}, cable.b(), dir.path());
        LrzszProcess sx("sx", {"-b", "-q", QFileInfo(source).fileName()}, cable.a(), dir.path());
        // rx first, so its NAK already waits for sx: the time runs from sx's start to both exits.
        rx.start();
        pause(200);
        QElapsedTimer clock;
        clock.start();
        sx.start();
        const bool sxDone = sx.finish(120000);
        const bool rxDone = rx.finish(120000);
        const double wall = double(clock.nsecsElapsed()) / 1e9;
        const auto counted = totals.match(QString::fromLocal8Bit(cable.stop()));
        QFile result(dir.filePath(received));
        const bool same = result.open(QIODevice::ReadOnly) && result.readAll().left(size) == sent;
        if (!sxDone || !rxDone || !same || !counted.hasMatch()) {
            figures.failure = QStringLiteral("run %1: %2; %3%4")
                                  .arg(run + 1)
                                  .arg(sx.report(), rx.report(), same ? "" : "; file differs");
            continue;
        }
        const qint64 wire = counted.captured(1).toLongLong() + counted.captured(2).toLongLong();
        figures.wallSeconds.append(wall);
        figures.wireBytes.append(wire);
        figures.floorSeconds.append(lineSeconds(wire));
    }
    return figures;
}

} // namespace

int main(int argc, char* argv[])
{
    platform::großePufferEinzelnAbbilden(); // as the program does: the flood measures its log
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // the start-up runs close their main windows
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Measures the program's image read, image store and firmware upload against klingport-sim\n"
        "paced at 19200 baud, and lrzsz's sx to rx over klingport-ptyline at the same speed.\n"
        "floor = bytes on the wire x 10 / 19200 s + the waits the protocol prescribes (1 s before\n"
        "the first NAK of a read; the device's store time, set to 0 s on the simulator).\n"
        "program = the program's reaction times summed; peer+pty = the time answers took beyond\n"
        "their line time, summed."));
    parser.addHelpOption();
    const QCommandLineOption runsOption(QStringLiteral("runs"),
                                        QStringLiteral("Runs of each measurement (default 3)."),
                                        QStringLiteral("N"), QStringLiteral("3"));
    parser.addOption(runsOption);
    const QCommandLineOption floodOption(QStringLiteral("flood-seconds"),
                                         QStringLiteral("How long the program logs the flood of reports "
                                                        "(default 60)."),
                                         QStringLiteral("S"), QStringLiteral("60"));
    parser.addOption(floodOption);
    const QCommandLineOption printoutsOption(QStringLiteral("printouts-only"),
                                             QStringLiteral("Measure only the files and printouts."));
    parser.addOption(printoutsOption);
    parser.process(app);
    const int runs = std::max(1, parser.value(runsOption).toInt());
    const int floodSeconds = std::max(1, parser.value(floodOption).toInt());

    QTemporaryDir dir;
    const PrintFigures printouts = measurePrintouts(12000, QDir(dir.path()));
    if (!printouts.failure.isEmpty())
        std::printf("printouts: FAILED, %s\n", qPrintable(printouts.failure));
    else
        std::printf(
            "phone book file built and read back: %.0f us; list of %d backups read: %.1f ms; into PDF: "
            "configuration %.0f ms, phone book %.0f ms, log of %d lines (%d pages) %.0f ms\n",
            printouts.phoneBookFileUs, printouts.backups, printouts.backupsListMs, printouts.configurationMs,
            printouts.phoneBookMs, printouts.logLines, printouts.logPages, printouts.logMs);
    if (parser.isSet(printoutsOption))
        return printouts.failure.isEmpty() ? 0 : 1;

    SimProcess sim({"--baud", QString::number(Baud), "--store-delay", QString::number(StoreDelaySeconds),
                    "--image", QDir(dir.path()).filePath("image.bin")});
    if (sim.ptyPath().isEmpty()) {
        std::fprintf(stderr, "klingport-benchmark: klingport-sim did not start\n");
        return 1;
    }
    // First, while nothing else holds the simulator's line: the program opens it itself.
    const Startup startup = measureStartup(sim.ptyPath(), runs, QDir(dir.path()));
    ProgramLink link(sim.ptyPath());
    if (!link.form.ComportÖffnen(1)) {
        std::fprintf(stderr, "klingport-benchmark: cannot open %s\n", qPrintable(sim.ptyPath()));
        return 1;
    }

    const QByteArray image = pattern(ImageBytes, 3);
    const QByteArray firmware = pattern(FirmwareBytes, 7);
    QList<Figures> rows;
    rows.append(link.measure(QStringLiteral("(a) image read, KonfigurationLaden"), runs, FirstNakSeconds,
                             [](frm_Kommunikation& form) { return form.KonfigurationLaden().ergebnis; }));
    rows.append(link.measure(QStringLiteral("(b) image store, KonfigurationSenden %1 B").arg(ImageBytes),
                             runs, StoreDelaySeconds,
                             [&](frm_Kommunikation& form) { return form.KonfigurationSenden(image); }));
    rows.append(link.measure(QStringLiteral("(c) firmware, FirmwareSenden %1 B").arg(FirmwareBytes), runs,
                             StoreDelaySeconds,
                             [&](frm_Kommunikation& form) { return form.FirmwareSenden(firmware); }));
    for (int size : {ImageBytes, FirmwareBytes})
        rows.append(measureLrzsz(size, runs, QDir(dir.path())));

    std::printf("%d baud, 10 bits a byte; simulator store delay %.1f s; %d runs each; times in s\n", Baud,
                StoreDelaySeconds, runs);
    std::fputs(qPrintable(tableOf(rows)), stdout);
    std::puts("floor: wire bytes x 10 / 19200 s, plus 1 s before the read's first NAK and the store delay;\n"
              "program: the program's reaction times, summed; peer+pty: how much later than their line time\n"
              "the answers came, summed.");
    if (startup.shownMs.isEmpty())
        std::puts("start-up: FAILED");
    else
        std::printf("start-up to the shown main window: %.1f ms min, %.1f ms median\n"
                    "to the end of the first activation (port opened, version and image read): %.1f ms min, "
                    "%.1f ms median\n",
                    startup.shownMs.first(), startup.shownMs.at(startup.shownMs.size() / 2),
                    startup.probedMs.first(), startup.probedMs.at(startup.probedMs.size() / 2));

    // The flood first: it measures memory, which the append benchmark would leave with the allocator.
    const FloodFigures flood = measureFlood(floodSeconds, QDir(dir.path()));
    if (!flood.failure.isEmpty())
        std::printf("flood: FAILED, %s\n", qPrintable(flood.failure));
    else
        std::printf(
            "flood, reports every millisecond, unpaced, for %.0f s: %lld reports (%.0f a second), %s; "
            "longest wait of a 10 ms timer %lld ms; resident memory grew %lld kB for a log text of "
            "%lld kB\n",
            flood.seconds, static_cast<long long>(flood.reports), double(flood.reports) / flood.seconds,
            flood.inOrder ? "all whole and in order" : "NOT ALL IN ORDER",
            static_cast<long long>(flood.longestGapMs), static_cast<long long>(flood.rssGrowthKb),
            static_cast<long long>(flood.logTextKb));
    const AppendFigures append = measureLogAppend(100000);
    std::printf("log window, %d decoded reports appended: %.1f us a line over the first thousand, "
                "%.1f us over the last\n",
                append.lines, append.firstUsPerLine, append.lastUsPerLine);
    std::printf("decoding one report: %.0f ns\n", measureDecodeNs());
    bool failed = !flood.failure.isEmpty() || !flood.inOrder;
    for (const Figures& row : rows)
        failed = failed || !row.failure.isEmpty();
    return failed || !printouts.failure.isEmpty() || startup.shownMs.isEmpty() ? 1 : 0;
}
