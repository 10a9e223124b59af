#include "CommandLine.h"
#include "DeviceFiles.h"
#include "PseudoTerminal.h"
#include "ReportScript.h"
#include "SerialPortLine.h"
#include "Simulator.h"
#include "TerminationSignals.h"

#include <QCoreApplication>
#include <QFile>
#include <csignal>
#include <cstdio>
#include <memory>

namespace {

constexpr const char* Programm = "klingport-sim";

// A new pseudo-terminal behind the same link, announced as the first one was.
void plugBackIn(sim::PseudoTerminal& pty, sim::Simulator& simulator)
{
    if (pty.isOpen())
        return;
    QString error;
    if (!pty.restore(error)) {
        std::fprintf(stderr, "%s: %s\n", Programm, qPrintable(error));
        return;
    }
    std::printf("pty: %s\n", qPrintable(pty.slavePath()));
    std::fflush(stdout);
    simulator.log(QStringLiteral("line back on %1").arg(pty.slavePath()));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const auto parsed = sim::parseCommandLine(app.arguments());
    if (const auto status = sim::exitStatus(parsed, Programm))
        return *status;
    sim::Settings settings = std::get<sim::Settings>(parsed);

    if (!settings.reportsPath.isEmpty()) {
        QFile file(settings.reportsPath);
        if (!file.open(QIODevice::ReadOnly))
            return sim::fail(Programm, QStringLiteral("%1: %2").arg(settings.reportsPath, file.errorString()),
                             2);
        const auto script = sim::parseReportScript(file.readAll());
        if (const auto* error = std::get_if<QString>(&script))
            return sim::fail(Programm, QStringLiteral("%1: %2").arg(settings.reportsPath, *error), 2);
        settings.device.reports = std::get<sim::ReportScript>(script).reports;
        settings.device.reportPauses = std::get<sim::ReportScript>(script).pauses;
    }

    const sim::DeviceFiles files(settings.imagePath, settings.firmwareDir);
    const sim::DeviceFiles::Result kept = files.loadImage();
    if (!kept.error.isEmpty())
        return sim::fail(Programm, kept.error, 2);
    settings.device.image = kept.bytes;

    platform::TerminationSignals termination;
    // SIGUSR1 pulls the simulated adapter and SIGUSR2 plugs it back in; set before the first line,
    // which tells a test the simulator is up.
    termination.auchWeitergeben({SIGUSR1, SIGUSR2});
    std::unique_ptr<sim::Line> line;
    int pacedBaud = 0;
    QString error;
    if (settings.port.isEmpty()) {
        auto pty = std::make_unique<sim::PseudoTerminal>();
        if (!pty->open(error))
            return sim::fail(Programm, error, 1);
        // The link first, so whoever reads the first line finds it in place.
        if (!settings.link.isEmpty() && !pty->linkTo(settings.link, error))
            return sim::fail(Programm, error, 1);
        std::printf("pty: %s\n", qPrintable(pty->slavePath()));
        std::fflush(stdout);
        pacedBaud = settings.baud;
        line = std::move(pty);
    } else {
        auto port = std::make_unique<sim::SerialPortLine>();
        if (!port->open(settings.port, settings.baud, error))
            return sim::fail(Programm, error, 1);
        line = std::move(port);
    }

    sim::Simulator simulator(std::move(settings.device), pacedBaud, settings.verbose, *line, files);
    auto* pty = qobject_cast<sim::PseudoTerminal*>(line.get());
    QObject::connect(&termination, &platform::TerminationSignals::received, &app, [&](int number) {
        if (number == SIGUSR1 || number == SIGUSR2) {
            if (pty && number == SIGUSR1) {
                pty->drop();
                simulator.log(QStringLiteral("line dropped"));
            } else if (pty) {
                plugBackIn(*pty, simulator);
            }
            return;
        }
        simulator.shutDown();
        app.quit();
    });
    QObject::connect(&simulator, &sim::Simulator::finished, &app, &QCoreApplication::exit);

    return app.exec();
}
