#include "shell/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace lumina {

namespace {

struct ToolkitOption {
    const char *name;
    bool takesValue;
};

// The options that the GUI application object reads and removes itself.
constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", true},       {"platformpluginpath", true}, {"platformtheme", true},
    {"plugin", true},         {"qwindowgeometry", true},    {"qwindowicon", true},
    {"qwindowtitle", true},   {"reverse", false},           {"session", true},
    {"display", true},        {"name", true},               {"style", true},
    {"stylesheet", true},     {"widgetcount", false},       {"nograb", false},
    {"dograb", false},
};

// The arguments without the toolkit's options and their values.
QStringList withoutToolkitOptions(const QStringList &arguments)
{
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (i == 0 || !arg.startsWith(QLatin1Char('-'))) {
            kept << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            kept << arguments.mid(i);
            break;
        }
        QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
        const qsizetype equals = name.indexOf(QLatin1Char('='));
        const bool valueAttached = equals >= 0;
        if (valueAttached)
            name.truncate(equals);
        const ToolkitOption *match = nullptr;
        for (const ToolkitOption &option : kToolkitOptions) {
            if (name == QLatin1String(option.name))
                match = &option;
        }
        if (!match) {
            kept << arg;
            continue;
        }
        if (match->takesValue && !valueAttached)
            ++i; // its value
    }
    return kept;
}

QString programName(const QStringList &arguments)
{
    return arguments.isEmpty() ? QStringLiteral("lumina") : QFileInfo(arguments.first()).fileName();
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lumina (ルミナ): the fare display board of a Japanese route bus and the "
                       "driver's control panel that drives it."));
    // "-style" and friends are single words, not bundles of one-letter options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption settings(
        QStringLiteral("settings"),
        QStringLiteral("Read and write the settings in FILE instead of the usual settings file; "
                       "a file that does not exist yet starts with the sample set-up."),
        QStringLiteral("FILE"));
    parser.addOption(settings);
    const QCommandLineOption play(QStringLiteral("play"),
                                  QStringLiteral("Play the trip in TRIP on the panel once both windows show."),
                                  QStringLiteral("TRIP"));
    parser.addOption(play);

    CommandLine result;
    const QString name = programName(arguments);
    const auto fail = [&](const QString &why) {
        result.action = CommandLine::Action::Fail;
        result.text = QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(name, why);
        return result;
    };

    if (!parser.parse(withoutToolkitOptions(arguments)))
        return fail(parser.errorText());
    // Help and version are answered even beside stray arguments.
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        result.action = CommandLine::Action::ShowHelp;
        result.text = parser.helpText();
        return result;
    }
    if (parser.isSet(version)) {
        result.action = CommandLine::Action::ShowVersion;
        result.text = QStringLiteral("%1 %2\n").arg(name, QCoreApplication::applicationVersion());
        return result;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    if (parser.isSet(settings)) {
        const QString file = parser.value(settings);
        if (file.isEmpty())
            return fail(QStringLiteral("The option '--settings' needs a file name."));
        result.settingsFile = QFileInfo(file).absoluteFilePath();
    }
    if (parser.isSet(play))
        result.tripFile = QFileInfo(parser.value(play)).absoluteFilePath();
    return result;
}

} // namespace lumina
