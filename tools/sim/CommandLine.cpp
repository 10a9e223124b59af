#include "CommandLine.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace sim {

namespace {

// Reads an option's pairs of hexadecimal digits.
bool readHex(const QCommandLineParser& parser, const QCommandLineOption& option, QByteArray& bytes,
             QString& error)
{
    const QString value = parser.value(option);
    static const QRegularExpression form(QStringLiteral("^([0-9A-Fa-f]{2})+$"));
    if (!form.match(value).hasMatch()) {
        error = QStringLiteral("--%1 wants pairs of hexadecimal digits, not \"%2\"")
                    .arg(option.names().first(), value);
        return false;
    }
    bytes = QByteArray::fromHex(value.toLatin1());
    return true;
}

// Reads "N:K" with N >= 1 and K >= 1 into the fault table.
bool addBlockCount(const QStringList& values, std::map<int, int>& table, QString& error,
                   const QString& option)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+):(\\d+)$"));
    for (const QString& value : values) {
        const auto match = form.match(value);
        const int block = match.captured(1).toInt();
        const int times = match.captured(2).toInt();
        if (!match.hasMatch() || block < 1 || times < 1) {
            error = QStringLiteral("--%1 wants BLOCK:TIMES, both at least 1, not \"%2\"").arg(option, value);
            return false;
        }
        table[block] += times;
    }
    return true;
}

bool readPositive(const QString& value, int minimum, int& result)
{
    bool ok = false;
    result = value.toInt(&ok);
    return ok && result >= minimum;
}

} // namespace

std::variant<Settings, HelpRequested, CommandLineError> parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The simulated Klingport. On a pseudo-terminal (the default) the first line on stdout is\n"
        "\"pty: PATH\", the terminal a client opens like a serial port. The simulator ends on\n"
        "SIGINT or SIGTERM, after what it has sent has been read or a second has passed.\n"
        "\n"
        "On a pseudo-terminal SIGUSR1 pulls the line as an unplugged USB adapter would: the\n"
        "pseudo-terminal is closed (the client's reads see end of file, its writes fail with\n"
        "EIO) and the --link symlink removed; the device itself runs on. SIGUSR2 plugs it back\n"
        "in: a new pseudo-terminal, announced by another \"pty: PATH\" line, and the symlink\n"
        "pointed at it.\n"
        "\n"
        "The device takes \"s\" (bare in the bootloader), \"p\" and \"D\" uploads and \"U\" downloads by\n"
        "XMODEM with the 8-bit checksum, answers \"i\" and \"z\", reports bus telegrams between \"t\"\n"
        "and \"n\", and restarts into its bootloader on a bare \"r\". It refuses an empty upload and\n"
        "a \"D\" image other than 6144 bytes with CAN after EOT, and gives a transfer up after 10 s\n"
        "without a byte from the PC.\n"
        "\n"
        "Paced bytes leave when the line would have carried their last bit, or up to half a\n"
        "millisecond sooner, never before their first: the timers count in whole milliseconds.\n"
        "The last byte of a burst, the one the PC answers, leaves on time.\n"
        "\n"
        "Block numbers of the fault options count the blocks of one transfer from 1 and do not\n"
        "wrap at 256; counted faults (N:K) start afresh with every transfer."));
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Use this serial port, 8N1 at --baud, instead of a pseudo-terminal. "
                       "The port paces the bytes itself."),
        QStringLiteral("DEVICE"));
    const QCommandLineOption link(
        QStringLiteral("link"),
        QStringLiteral("Make a symlink to the pseudo-terminal at PATH, replacing what is "
                       "there; it is removed at exit."),
        QStringLiteral("PATH"));
    const QCommandLineOption baud(
        QStringLiteral("baud"),
        QStringLiteral("Line speed at 10 bits a byte (default 19200). On a pseudo-terminal "
                       "both directions are paced to it; 0 = unpaced."),
        QStringLiteral("N"), QStringLiteral("19200"));
    const QCommandLineOption image(
        QStringLiteral("image"),
        QStringLiteral("Keep the device image in FILE: loaded at start if it exists, "
                       "written after each stored \"D\" upload. Without it the device "
                       "starts from its factory image."),
        QStringLiteral("FILE"));
    const QCommandLineOption firmwareDir(
        QStringLiteral("firmware-dir"),
        QStringLiteral("Write each received firmware (\"s\") as firmware-NNN.tsk and "
                       "bus driver (\"p\") as bustreiber-NNN.hex into DIR, as "
                       "received, SUB padding included."),
        QStringLiteral("DIR"));
    const QCommandLineOption version(
        QStringLiteral("version"),
        QStringLiteral("What \"i\" answers: complete (firmware with bus driver, the "
                       "default), bootloader, nobus or koppler."),
        QStringLiteral("MODE"), QStringLiteral("complete"));
    const QCommandLineOption reports(
        QStringLiteral("reports"),
        QStringLiteral("Report script for logging: one report per line (CR LF added), "
                       "blank lines and lines starting with # skipped, \"wait MS\" "
                       "pauses. Without it a built-in sequence is sent."),
        QStringLiteral("FILE"));
    const QCommandLineOption reportInterval(
        QStringLiteral("report-interval"),
        QStringLiteral("Milliseconds between two reports while logging, at "
                       "least 1 (default 400)."),
        QStringLiteral("MS"), QStringLiteral("400"));
    const QCommandLineOption logging(QStringLiteral("logging"),
                                     QStringLiteral("Start in logging mode, as a program that ended without "
                                                    "switching logging off leaves the device."));
    const QCommandLineOption doubleAck(QStringLiteral("double-ack"),
                                       QStringLiteral("Answer upload block N with two ACKs."),
                                       QStringLiteral("N"));
    const QCommandLineOption nakBlock(
        QStringLiteral("nak-block"),
        QStringLiteral("Answer upload block N with NAK K times before taking it. "
                       "Repeatable."),
        QStringLiteral("N:K"));
    const QCommandLineOption can(
        QStringLiteral("can"),
        QStringLiteral("Answer with CAN: \"request\" (upload: instead of the first NAK; "
                       "download: instead of block 1), \"block:N\" (upload: as the answer to "
                       "block N; download: instead of block N) or \"eot\" (upload: instead "
                       "of the final ACK; download: instead of EOT)."),
        QStringLiteral("PHASE"));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Answer nothing at all."));
    const QCommandLineOption corruptBlock(
        QStringLiteral("corrupt-block"),
        QStringLiteral("Send download block N K times with a wrong checksum. "
                       "Repeatable."),
        QStringLiteral("N:K"));
    const QCommandLineOption truncateBlock(
        QStringLiteral("truncate-block"),
        QStringLiteral("Send only the first 100 bytes of download block N, K "
                       "times. Repeatable."),
        QStringLiteral("N:K"));
    const QCommandLineOption garbage(
        QStringLiteral("garbage"),
        QStringLiteral("Send these bytes, in hexadecimal (e.g. FF00A5), before each "
                       "answer to a request: the first NAK, block 1, the version, the "
                       "call-button answer."),
        QStringLiteral("HEX"));
    const QCommandLineOption callAnswer(
        QStringLiteral("call-answer"),
        QStringLiteral("Answer every call-button query with these bytes, in hexadecimal "
                       "(e.g. 3132200D0A), instead of the device's own answer."),
        QStringLiteral("HEX"));
    const QCommandLineOption storeDelay(
        QStringLiteral("store-delay"),
        QStringLiteral("Seconds between an upload's EOT and the final ACK (default 0; "
                       "fractions allowed)."),
        QStringLiteral("SECONDS"), QStringLiteral("0"));
    const QCommandLineOption dropAtBlock(
        QStringLiteral("drop-at-block"),
        QStringLiteral("Drop the line when block N is due, in either direction: "
                       "once the PC has read what was sent, the pseudo-terminal is "
                       "closed (the client's reads see end of file, its writes "
                       "fail with EIO), the symlink is removed, and the simulator "
                       "exits with status 0 a second later. A serial port is "
                       "closed the same way."),
        QStringLiteral("N"));
    const QCommandLineOption verbose(
        QStringLiteral("verbose"),
        QStringLiteral("Log each request handled, each transfer's end and each file "
                       "written to stderr."));
    parser.addOptions({port,       link,         baud,           image,    firmwareDir,
                       version,    reports,      reportInterval, nakBlock, can,
                       silent,     corruptBlock, truncateBlock,  garbage,  callAnswer,
                       storeDelay, dropAtBlock,  doubleAck,      logging,  verbose});

    if (auto stop = parseArguments(parser, arguments))
        return std::visit(
            [](auto why) -> std::variant<Settings, HelpRequested, CommandLineError> { return why; }, *stop);

    Settings settings;
    settings.port = parser.value(port);
    settings.link = parser.value(link);
    settings.imagePath = parser.value(image);
    settings.firmwareDir = parser.value(firmwareDir);
    settings.reportsPath = parser.value(reports);
    settings.verbose = parser.isSet(verbose);
    if (!settings.port.isEmpty() && !settings.link.isEmpty())
        return CommandLineError{
            QStringLiteral("--link makes sense only on a pseudo-terminal, not with --port")};

    if (!readPositive(parser.value(baud), settings.port.isEmpty() ? 0 : 1, settings.baud))
        return CommandLineError{
            QStringLiteral("--baud wants a number of bits per second%1, not \"%2\"")
                .arg(settings.port.isEmpty() ? QString() : QStringLiteral(" above 0"), parser.value(baud))};

    device::Options& options = settings.device;
    static const std::map<QString, device::VersionMode> versions = {
        {QStringLiteral("complete"), device::VersionMode::Complete},
        {QStringLiteral("bootloader"), device::VersionMode::BootloaderOnly},
        {QStringLiteral("nobus"), device::VersionMode::NoBusDriver},
        {QStringLiteral("koppler"), device::VersionMode::Koppler},
    };
    const auto mode = versions.find(parser.value(version));
    if (mode == versions.end())
        return CommandLineError{
            QStringLiteral("--version wants complete, bootloader, nobus or koppler, not \"%1\"")
                .arg(parser.value(version))};
    options.version = mode->second;

    int interval = 0;
    if (!readPositive(parser.value(reportInterval), 1, interval))
        return CommandLineError{QStringLiteral("--report-interval wants milliseconds, at least 1, not \"%1\"")
                                    .arg(parser.value(reportInterval))};
    options.reportInterval = interval;
    options.logging = parser.isSet(logging);

    device::Faults& faults = options.faults;
    QString error;
    if (!addBlockCount(parser.values(nakBlock), faults.nakBlock, error, nakBlock.names().first()) ||
        !addBlockCount(parser.values(corruptBlock), faults.corruptBlock, error,
                       corruptBlock.names().first()) ||
        !addBlockCount(parser.values(truncateBlock), faults.truncateBlock, error,
                       truncateBlock.names().first()))
        return CommandLineError{error};

    if (parser.isSet(can)) {
        const QString phase = parser.value(can);
        int block = 0;
        if (phase == QLatin1String("request"))
            faults.can.phase = device::CanFault::Phase::Request;
        else if (phase == QLatin1String("eot"))
            faults.can.phase = device::CanFault::Phase::Eot;
        else if (phase.startsWith(QLatin1String("block:")) && readPositive(phase.mid(6), 1, block))
            faults.can = {device::CanFault::Phase::Block, block};
        else
            return CommandLineError{
                QStringLiteral("--can wants request, block:N or eot, not \"%1\"").arg(phase)};
    }
    faults.silent = parser.isSet(silent);

    if (parser.isSet(garbage) && !readHex(parser, garbage, faults.garbage, error))
        return CommandLineError{error};
    if (parser.isSet(callAnswer)) {
        QByteArray antwort;
        if (!readHex(parser, callAnswer, antwort, error))
            return CommandLineError{error};
        faults.callButtonAnswer = antwort;
    }

    bool ok = false;
    const double seconds = parser.value(storeDelay).toDouble(&ok);
    if (!ok || seconds < 0)
        return CommandLineError{
            QStringLiteral("--store-delay wants seconds, not \"%1\"").arg(parser.value(storeDelay))};
    faults.storeDelay = device::Millis(seconds * 1000 + 0.5);

    if (parser.isSet(dropAtBlock) && !readPositive(parser.value(dropAtBlock), 1, faults.dropAtBlock))
        return CommandLineError{QStringLiteral("--drop-at-block wants a block number from 1, not \"%1\"")
                                    .arg(parser.value(dropAtBlock))};
    if (parser.isSet(doubleAck) && !readPositive(parser.value(doubleAck), 1, faults.doubleAckBlock))
        return CommandLineError{QStringLiteral("--double-ack wants a block number from 1, not \"%1\"")
                                    .arg(parser.value(doubleAck))};
    return settings;
}

} // namespace sim
