#pragma once

// The command-line conventions the tools share: -h/--help, no positional arguments, help on stdout
// with status 0, errors on stderr with status 2.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <optional>
#include <variant>

namespace sim {

struct HelpRequested {
    QString text;
};

struct CommandLineError {
    QString message;
};

using ArgumentsStop = std::variant<HelpRequested, CommandLineError>;

// Adds -h/--help to `parser` and parses; returns why the tool stops here, if it does.
inline std::optional<ArgumentsStop> parseArguments(QCommandLineParser& parser, const QStringList& arguments)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    if (!parser.parse(arguments))
        return CommandLineError{parser.errorText()};
    if (parser.isSet(help))
        return HelpRequested{parser.helpText()};
    if (!parser.positionalArguments().isEmpty())
        return CommandLineError{
            QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first())};
    return std::nullopt;
}

inline int fail(const char* program, const QString& message, int status)
{
    std::fprintf(stderr, "%s: %s\n", program, qPrintable(message));
    return status;
}

// The exit status for a parse that did not yield `T`, or nothing when the tool goes on.
template <typename T>
std::optional<int> exitStatus(const std::variant<T, HelpRequested, CommandLineError>& parsed,
                              const char* program)
{
    if (const auto* help = std::get_if<HelpRequested>(&parsed)) {
        std::fputs(qPrintable(help->text), stdout);
        return 0;
    }
    if (const auto* error = std::get_if<CommandLineError>(&parsed))
        return fail(program, error->message + QStringLiteral(" (see --help)"), 2);
    return std::nullopt;
}

} // namespace sim
