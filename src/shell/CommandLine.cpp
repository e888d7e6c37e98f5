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
        QCoreApplication::translate("lumina::CommandLine", "ルミナ：路線バスの運賃表示器と、それを動かす運転席の集中操作盤。"));
    // "-style" and friends are single words, not bundles of one-letter options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption settings(
        QStringLiteral("settings"),
        QCoreApplication::translate("lumina::CommandLine", "いつもの設定ファイルの代わりに FILE で設定を読み書きします。"
           "まだないファイルはサンプルの設定で始めます。"),
        QStringLiteral("FILE"));
    parser.addOption(settings);
    const QCommandLineOption play(QStringLiteral("play"),
                                  QCoreApplication::translate("lumina::CommandLine", "両方のウィンドウが出たら、TRIP の運行を操作盤で再生します。"),
                                  QStringLiteral("TRIP"));
    parser.addOption(play);
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  QCoreApplication::translate("lumina::CommandLine", "表示言語を LANG（ja：日本語、en：英語）にします。"
                                     "オプションで選んだ言語とシステムの言語より優先します。"),
                                  QStringLiteral("LANG"));
    parser.addOption(lang);

    CommandLine result;
    const QString name = programName(arguments);
    const auto fail = [&](const QString &why) {
        result.action = CommandLine::Action::Fail;
        result.text = QCoreApplication::translate("lumina::CommandLine", "%1: %2\n詳しくは「%1 --help」を見てください。\n").arg(name, why);
        return result;
    };

    if (!parser.parse(withoutToolkitOptions(arguments)))
        return fail(parser.errorText());
    // The language first: help and complaints are shown in it.
    if (parser.isSet(lang)) {
        result.language = languageChoiceFromCode(parser.value(lang));
        if (!result.language || *result.language == LanguageChoice::System)
            return fail(QCoreApplication::translate("lumina::CommandLine", "「--lang」は ja か en です。「%1」は使えません。")
                            .arg(parser.value(lang)));
    }
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
        return fail(QCoreApplication::translate("lumina::CommandLine", "余分な引数「%1」があります。").arg(parser.positionalArguments().first()));
    if (parser.isSet(settings)) {
        const QString file = parser.value(settings);
        if (file.isEmpty())
            return fail(QCoreApplication::translate("lumina::CommandLine", "「--settings」にはファイル名が必要です。"));
        result.settingsFile = QFileInfo(file).absoluteFilePath();
    }
    if (parser.isSet(play))
        result.tripFile = QFileInfo(parser.value(play)).absoluteFilePath();
    return result;
}

} // namespace lumina
