// lumina-fare: makes, checks and draws Lumina's fare data. Each command lives
// in a file of its own (tools/*Command.cpp) and is one line of the table below.

#include "Command.h"
#include "VideoCommand.h"

#include "base/Fonts.h"
#include "base/Language.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStyleFactory>

#include <memory>
#include <vector>

using namespace lumina::fare;

namespace {

// The commands, in the order help lists them.
const std::vector<Command> &commands()
{
    static const std::vector<Command> table{
        dumpCommand(),
        buildCommand(),
        checkCommand(),
        renderCommand(),
        tripCommand(),
        videoCommand(),
        importCommand(),
    };
    return table;
}

const Command *commandNamed(const QString &name)
{
    for (const Command &command : commands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

QString usage()
{
    return Text::tr("usage: lumina-fare [--help] [--version] COMMAND [ARGS]\n");
}

QString optionLines(const Command &command)
{
    QString text;
    for (const QCommandLineOption &option : command.options) {
        const QString name = option.names().constFirst();
        QString flag = (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        if (!option.valueName().isEmpty())
            flag += u' ' + option.valueName();
        text += QStringLiteral("      %1  %2\n").arg(flag, -18).arg(option.description());
    }
    return text;
}

QString commandHelp(const Command &command)
{
    QString text = Text::tr("usage: lumina-fare %1 %2\n\n%3\n")
                       .arg(command.name, command.synopsis, command.summary);
    if (!command.details.isEmpty())
        text += command.details + u'\n';
    if (!command.options.isEmpty())
        text += QStringLiteral("\nOptions:\n") + optionLines(command);
    return text;
}

QString fullHelp()
{
    QString text = usage()
        + Text::tr("\nMakes, checks and draws the data of Lumina, the fare board simulator: fare\n"
                         "data files (.hy3) and their CSV text, announcement files (tp.csv) and\n"
                         "ticket plug-ins (.4SP).\n\nCommands:\n");
    for (const Command &command : commands()) {
        text += QStringLiteral("  %1 %2\n      %3\n").arg(command.name, command.synopsis, command.summary);
        text += optionLines(command);
    }
    text += Text::tr("  help [COMMAND]\n      This text, or one command's (also: COMMAND --help).\n\n"
                           "A FILE of \"-\" is standard input; -o - is standard output.\n"
                           "Exit status: 0 done, 1 a file refused, missing or not written, 2 a misused\n"
                           "command line. Formats: lumina-fare(1), docs/fare-data.md.\n");
    return text;
}

int say(const QString &text)
{
    return writeOutput(QStringLiteral("help"), QStringLiteral("-"), text.toUtf8());
}

int help(const QStringList &rest)
{
    if (rest.isEmpty())
        return say(fullHelp());
    const Command *command = commandNamed(rest.first());
    if (!command || rest.size() > 1)
        return misuse(QStringLiteral("help"), Text::tr("'%1' is not a command").arg(rest.join(u' ')));
    return say(commandHelp(*command));
}

// `arguments` is what follows the command's name.
int runCommand(const Command &command, const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")}, QString());
    parser.addOption(helpOption);
    parser.addOptions(command.options);
    if (!parser.parse(QStringList{QStringLiteral("lumina-fare")} + arguments))
        return misuse(command.name, parser.errorText());
    if (parser.isSet(helpOption))
        return say(commandHelp(command));
    const QStringList files = parser.positionalArguments();
    if (files.size() < command.minFiles)
        return misuse(command.name,
                      Text::tr("a file is needed: %1 %2").arg(command.name, command.synopsis));
    if (command.maxFiles >= 0 && files.size() > command.maxFiles)
        return misuse(command.name,
                      Text::tr("one file only, not '%1'").arg(files.join(QStringLiteral("' '"))));
    return command.run(Invocation{command.name, files, parser});
}

// The first argument that is not an option, the command's name.
int commandIndex(const QStringList &arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        if (!arguments[i].startsWith(u'-'))
            return i;
    }
    return -1;
}

int dispatch(const QStringList &arguments)
{
    const int at = commandIndex(arguments);
    const QStringList before = arguments.mid(1, at < 0 ? -1 : at - 1);
    if (before.contains(QStringLiteral("--version")) || before.contains(QStringLiteral("-v")))
        return say(QStringLiteral("lumina-fare %1\n").arg(QCoreApplication::applicationVersion()));
    if (before.contains(QStringLiteral("--help")) || before.contains(QStringLiteral("-h")))
        return say(fullHelp());
    if (!before.isEmpty())
        return misuse(QString(), Text::tr("unknown option '%1'").arg(before.first()));
    if (at < 0)
        return misuse(QString(), Text::tr("no command given"));
    const QString name = arguments[at];
    const QStringList rest = arguments.mid(at + 1);
    if (name == u"help")
        return help(rest);
    const Command *command = commandNamed(name);
    if (!command)
        return misuse(QString(), Text::tr("'%1' is not a command").arg(name));
    return runCommand(*command, rest);
}

bool drawsBoard(int argc, char **argv)
{
    const QStringList arguments = [&] {
        QStringList list;
        for (int i = 0; i < argc; ++i)
            list << QString::fromLocal8Bit(argv[i]);
        return list;
    }();
    const int at = commandIndex(arguments);
    const Command *command = at < 0 ? nullptr : commandNamed(arguments[at]);
    return command && command->drawsBoard;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("lumina-fare"));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(LUMINA_VERSION_MAJOR)
                                                .arg(LUMINA_VERSION_MINOR)
                                                .arg(LUMINA_VERSION_PATCH));
    std::unique_ptr<QCoreApplication> app;
    if (drawsBoard(argc, argv)) {
        // The board is drawn by its own widgets, which need no screen: the
        // offscreen platform unless one is asked for.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
        // The program's look and faces, so the pictures match its windows.
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        lumina::registerFonts();
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // The system's language: Japanese usage texts in a Japanese locale, and the
    // program's messages in English in any other but C.
    lumina::Translations::instance().choose(lumina::LanguageChoice::System);
    return dispatch(QCoreApplication::arguments());
}
