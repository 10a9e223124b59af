// klingport-ptyline: two pseudo-terminals joined like a null-modem cable, optionally paced.

#include "PacedDirection.h"
#include "PseudoTerminal.h"
#include "PtyLineOptions.h"
#include "TerminationSignals.h"

#include <QCoreApplication>
#include <chrono>
#include <cstdio>

namespace {

constexpr std::chrono::milliseconds DrainLimit{1000};
constexpr const char* Programm = "klingport-ptyline";

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const auto parsed = ptyline::parseOptions(app.arguments());
    if (const auto status = sim::exitStatus(parsed, Programm))
        return *status;
    const ptyline::Options options = std::get<ptyline::Options>(parsed);

    platform::TerminationSignals termination;
    sim::PseudoTerminal a;
    sim::PseudoTerminal b;
    QString error;
    if (!a.open(error) || !b.open(error))
        return sim::fail(Programm, error, 1);
    if ((!options.linkA.isEmpty() && !a.linkTo(options.linkA, error)) ||
        (!options.linkB.isEmpty() && !b.linkTo(options.linkB, error)))
        return sim::fail(Programm, error, 1);
    // Printed once the links are in place, so a reader of these lines may use either name.
    std::printf("a: %s\nb: %s\n", qPrintable(a.slavePath()), qPrintable(b.slavePath()));
    std::fflush(stdout);

    ptyline::PacedDirection aToB(a, b, options.baud);
    ptyline::PacedDirection bToA(b, a, options.baud);
    for (sim::PseudoTerminal* end : {&a, &b})
        QObject::connect(end, &sim::Line::failed, &app,
                         [](const QString& why) { sim::fail(Programm, why, 0); });
    QObject::connect(&termination, &platform::TerminationSignals::received, &app, [&](int) {
        aToB.handOverRest();
        bToA.handOverRest();
        a.drain(DrainLimit);
        b.drain(DrainLimit);
        a.close();
        b.close();
        app.quit();
    });
    const int status = app.exec();
    std::fprintf(stderr, "klingport-ptyline: a->b %lld bytes, b->a %lld bytes\n", aToB.bytesCarried(),
                 bToA.bytesCarried());
    return status;
}
