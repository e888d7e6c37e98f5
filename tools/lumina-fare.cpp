// lumina-fare: turns fare data files (.hy3) into comma-separated text and back,
// and draws the board as it shows a route's stops.
//
//   lumina-fare dump FILE.hy3             stops as UTF-8 CSV on standard output
//   lumina-fare build FILE.csv -o FILE.hy3
//   lumina-fare render FILE.hy3 --stop N [options] -o board.png
//   lumina-fare render FILE.hy3 --all DIR [options]
//   lumina-fare trip FILE.hy3 [--tape TP.csv] [--every SECONDS] -o TRIP
//   lumina-fare video TRIP -o OUT.mp4 [options]
//   lumina-fare --help | --version

#include "VideoCommand.h"
#include "app/BoardPicture.h"
#include "base/Fonts.h"
#include "route/FareCsv.h"
#include "route/FareFile.h"
#include "route/FareTable.h"
#include "TripCommand.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStyleFactory>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <optional>
#include <variant>

using namespace lumina;

namespace {

QTextStream &err()
{
    static QTextStream stream(stderr);
    stream.setEncoding(QStringConverter::Utf8);
    return stream;
}

const char kUsage[] = "usage: lumina-fare dump FILE.hy3\n"
                      "       lumina-fare build FILE.csv -o FILE.hy3\n"
                      "       lumina-fare render FILE.hy3 --stop N -o board.png | --all DIR\n"
                      "       lumina-fare trip FILE.hy3 [--tape TP.csv] [--every SECONDS] -o TRIP\n"
                      "       lumina-fare video TRIP -o OUT.mp4|.webm|.mkv [options]\n";

int usage(const QString &complaint = QString())
{
    if (!complaint.isEmpty())
        err() << "lumina-fare: " << complaint << '\n';
    err() << kUsage << "Try 'lumina-fare --help' for more information.\n";
    err().flush();
    return 2;
}

int print(const QString &text)
{
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    out << text;
    out.flush();
    return out.status() == QTextStream::Ok ? 0 : 1;
}

int fail(const QString &file, const QString &message)
{
    err() << "lumina-fare: " << file << ": " << message << '\n';
    err().flush();
    return 1;
}

int dump(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(path, file.errorString());
    FareFileReader reader;
    std::vector<FareRecord> records;
    if (!reader.read(&file, records))
        return fail(path, reader.errorString());
    return print(fareCsv(records));
}

int build(const QString &csvPath, const QString &outPath)
{
    QFile in(csvPath);
    if (!in.open(QIODevice::ReadOnly))
        return fail(csvPath, in.errorString());
    const QByteArray bytes = in.readAll();
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return fail(csvPath, QStringLiteral("UTF-8 として読めない文字があります。"));

    FareCsvReader csv;
    std::vector<FareRecord> records;
    if (!csv.read(text, records))
        return fail(csvPath, csv.errorString());

    FareFileWriter writer;
    const QByteArray data = writer.toBytes(records);
    if (data.isEmpty())
        return fail(csvPath, writer.errorString());

    // Written aside and renamed, so a failed build never leaves half a file.
    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(data) != data.size() || !out.commit())
        return fail(outPath, out.errorString());
    return 0;
}

const char kRenderUsage[] =
    "usage: lumina-fare render FILE.hy3 --stop N [--section S] [--night] [--scale K]\n"
    "                          [--settings FILE.in4] -o board.png\n"
    "       lumina-fare render FILE.hy3 --all DIR [--section S] [--night] [--scale K]\n"
    "                          [--settings FILE.in4]\n";

int renderUsage(const QString &complaint)
{
    err() << "lumina-fare: " << complaint << '\n'
          << kRenderUsage << "Try 'lumina-fare render --help' for more information.\n";
    err().flush();
    return 1;
}

// A whole number in [low, high] from an option, or nothing.
std::optional<int> number(const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

bool writePng(const QImage &image, const QString &path)
{
    // Written aside and renamed: a failed write leaves no half picture.
    QSaveFile file(path);
    if (image.isNull() || !file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG")
        || !file.commit()) {
        fail(path, file.errorString().isEmpty() ? QStringLiteral("書き込めませんでした。")
                                                : file.errorString());
        return false;
    }
    return true;
}

// The options of `render`, in the order --help lists them.
struct RenderOptions {
    QCommandLineOption stop{QStringLiteral("stop"), QStringLiteral("The stop shown (1 = first)."),
                            QStringLiteral("N")};
    QCommandLineOption all{QStringLiteral("all"),
                           QStringLiteral("One picture per stop into DIR: stop-001.png, ..."),
                           QStringLiteral("DIR")};
    QCommandLineOption section{QStringLiteral("section"),
                               QStringLiteral("The section the route is set at (default 1)."),
                               QStringLiteral("S"), QStringLiteral("1")};
    QCommandLineOption night{QStringLiteral("night"), QStringLiteral("Late-night fares.")};
    QCommandLineOption scale{QStringLiteral("scale"), QStringLiteral("Board scale 1, 2 or 3."),
                             QStringLiteral("K"), QStringLiteral("1")};
    QCommandLineOption settings{QStringLiteral("settings"),
                                QStringLiteral("Colours, digits and fonts from this settings file."),
                                QStringLiteral("FILE.in4")};
    QCommandLineOption output{QStringLiteral("o"), QStringLiteral("The picture written."),
                              QStringLiteral("board.png")};
};

// The request a parsed command line makes, or the complaint about it.
std::variant<BoardPictureRequest, QString> renderRequest(const QCommandLineParser &parser,
                                                         const RenderOptions &o)
{
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2)
        return QStringLiteral("one fare data file is needed");
    if (parser.isSet(o.all) == (parser.isSet(o.stop) || parser.isSet(o.output)))
        return QStringLiteral("either --stop N with -o FILE, or --all DIR");
    if (parser.isSet(o.stop) != parser.isSet(o.output))
        return QStringLiteral("--stop and -o go together");
    const auto sectionValue = number(parser.value(o.section), 1, 300);
    const auto scaleValue = number(parser.value(o.scale), 1, 3);
    if (!sectionValue)
        return QStringLiteral("--section takes a number from 1 to 300");
    if (!scaleValue)
        return QStringLiteral("--scale takes 1, 2 or 3");
    if (parser.isSet(o.stop) && !number(parser.value(o.stop), 1, FareTable::kEntryCount))
        return QStringLiteral("--stop takes a stop number from 1");
    BoardPictureRequest request;
    request.routeFile = args[1];
    request.lateNight = parser.isSet(o.night);
    request.settingsFile = parser.value(o.settings);
    request.section = *sectionValue;
    request.scale = *scaleValue;
    return request;
}

// Every stop of the route into `folder`, as stop-001.png and on.
int renderAll(BoardPictures &pictures, const QString &folder)
{
    if (!QDir().mkpath(folder))
        return fail(folder, QStringLiteral("フォルダーを作れませんでした。"));
    for (int n = 1; n <= pictures.stopCount(); ++n) {
        const QString name = QStringLiteral("stop-%1.png").arg(n, 3, 10, QLatin1Char('0'));
        if (!writePng(pictures.picture(n), QDir(folder).filePath(name)))
            return 1;
    }
    return 0;
}

int render(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QString::fromLatin1(kRenderUsage)
        + QStringLiteral("\nDraws the fare board as Lumina shows the route at a stop, with the\n"
                         "program's own drawing, and writes it as PNG. No display is needed."));
    parser.addHelpOption();
    const RenderOptions o;
    parser.addOptions({o.stop, o.all, o.section, o.night, o.scale, o.settings, o.output});
    parser.addPositionalArgument(QStringLiteral("render"), QStringLiteral("render"));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The fare data file."));

    if (!parser.parse(arguments))
        return renderUsage(parser.errorText());
    if (parser.isSet(QStringLiteral("help")))
        return print(parser.helpText());
    const auto parsed = renderRequest(parser, o);
    if (const QString *complaint = std::get_if<QString>(&parsed))
        return renderUsage(*complaint);
    const BoardPictureRequest &request = std::get<BoardPictureRequest>(parsed);

    // What the program would say in a message box goes to standard error;
    // a picture is drawn unless it was a failure.
    BoardPictures pictures;
    const bool prepared = pictures.prepare(request);
    for (const QString &message : pictures.messages())
        fail(request.routeFile, message);
    if (!prepared)
        return 1;
    if (!parser.isSet(o.stop))
        return renderAll(pictures, parser.value(o.all));
    const int stop = *number(parser.value(o.stop), 1, FareTable::kEntryCount);
    if (stop > pictures.stopCount())
        return fail(request.routeFile, QStringLiteral("停留所 %1 はありません（全 %2 停留所）。")
                                           .arg(stop)
                                           .arg(pictures.stopCount()));
    return writePng(pictures.picture(stop), parser.value(o.output)) ? 0 : 1;
}

bool wantsRender(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] != '-')
            return qstrcmp(argv[i], "render") == 0;
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("lumina-fare"));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(LUMINA_VERSION_MAJOR)
                                                .arg(LUMINA_VERSION_MINOR)
                                                .arg(LUMINA_VERSION_PATCH));
    if (const std::optional<int> code = runVideoCommand(argc, argv))
        return *code;
    if (wantsRender(argc, argv)) {
        // The board is drawn by its own widgets, which need no screen: the
        // offscreen platform unless one is asked for.
        bool platformChosen = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
        for (int i = 1; i < argc; ++i)
            platformChosen = platformChosen || qstrcmp(argv[i], "-platform") == 0;
        if (!platformChosen)
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        // The program's look and faces, so the pictures match its windows.
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        registerFonts();
        return render(QCoreApplication::arguments());
    }

    QCoreApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "trip") == 0)
        return tripCommand(QCoreApplication::arguments());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QString::fromLatin1(kUsage) +
        QStringLiteral("\nTurns Lumina's fare data files (.hy3) into comma-separated text\n"
                       "(UTF-8, one stop a line: name, ticket number, 150 values) and back."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption output(QStringLiteral("o"),
                                    QStringLiteral("The fare data file that build writes."),
                                    QStringLiteral("FILE.hy3"));
    parser.addOption(output);
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("dump, build or render"));
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("The fare data file to dump, or the text to build from."));

    if (!parser.parse(QCoreApplication::arguments()))
        return usage(parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        return print(parser.helpText());
    if (parser.isSet(version))
        return print(QStringLiteral("lumina-fare %1\n").arg(QCoreApplication::applicationVersion()));

    const QStringList args = parser.positionalArguments();
    if (args.size() == 2 && args[0] == QLatin1String("dump") && !parser.isSet(output))
        return dump(args[1]);
    if (args.size() == 2 && args[0] == QLatin1String("build") && parser.isSet(output))
        return build(args[1], parser.value(output));
    return usage();
}
