#include "PtyLineOptions.h"

#include <QCommandLineParser>

namespace ptyline {

using sim::parseArguments;

std::variant<Options, sim::HelpRequested, sim::CommandLineError> parseOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Two pseudo-terminals joined like a null-modem cable: what a client writes to end a is read\n"
        "by the client of end b, and the other way round. The first two lines on stdout are\n"
        "\"a: PATH\" and \"b: PATH\", the terminals the clients open like serial ports; either end may be\n"
        "opened, closed and opened again while the cable runs.\n"
        "Paced (--baud above 0), each direction carries one byte per 10 bit times, as a line at that\n"
        "speed would; both directions run at the same time. Unpaced, bytes cross at once.\n"
        "Nothing written is thrown away: bytes wait until the other end reads them. On SIGINT or\n"
        "SIGTERM the cable hands over what is still on its way, waits up to a second for it to be\n"
        "read, removes its symlinks, writes the bytes carried each way to stderr and exits with 0."));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("Line speed in bits per second at 10 bits a byte, in both "
                                                 "directions (default 0 = unpaced)."),
                                  QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption linkA(
        QStringLiteral("link-a"),
        QStringLiteral("Make a symlink to end a at PATH, replacing what is there; it is "
                       "removed at exit."),
        QStringLiteral("PATH"));
    const QCommandLineOption linkB(QStringLiteral("link-b"), QStringLiteral("The same for end b."),
                                   QStringLiteral("PATH"));
    parser.addOptions({baud, linkA, linkB});

    if (auto stop = parseArguments(parser, arguments))
        return std::visit(
            [](auto why) -> std::variant<Options, sim::HelpRequested, sim::CommandLineError> { return why; },
            *stop);

    Options options;
    bool ok = false;
    options.baud = parser.value(baud).toInt(&ok);
    if (!ok || options.baud < 0)
        return sim::CommandLineError{
            QStringLiteral("--baud wants bits per second, 0 or more, not \"%1\"").arg(parser.value(baud))};
    options.linkA = parser.value(linkA);
    options.linkB = parser.value(linkB);
    if (!options.linkA.isEmpty() && options.linkA == options.linkB)
        return sim::CommandLineError{QStringLiteral("--link-a and --link-b name the same path")};
    return options;
}

} // namespace ptyline
