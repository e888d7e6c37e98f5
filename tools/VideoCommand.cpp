#include "VideoCommand.h"

#include "base/Fonts.h"
#include "video/TripVideo.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QStyleFactory>
#include <QTextStream>

#include <unistd.h>

#include <variant>

using namespace lumina;

namespace {

const char kVideoUsage[] =
    "usage: lumina-fare video TRIP -o OUT.mp4|.webm|.mkv [--settings FILE.in4] [--scale 1|2|3]\n"
    "                         [--canvas WxH] [--background COLOUR] [--fps N] [--clock HH:MM]\n"
    "                         [--night]\n";

QTextStream &err()
{
    static QTextStream stream(stderr);
    stream.setEncoding(QStringConverter::Utf8);
    return stream;
}

int complain(const QString &text, int code)
{
    err() << "lumina-fare: " << text << '\n';
    if (code == 2)
        err() << kVideoUsage << "Try 'lumina-fare video --help' for more information.\n";
    err().flush();
    return code;
}

struct VideoOptions {
    QCommandLineOption output{QStringLiteral("o"), QStringLiteral("The video written; its ending chooses the container."),
                              QStringLiteral("OUT")};
    QCommandLineOption settings{QStringLiteral("settings"),
                                QStringLiteral("Options from this settings file (default: the program's own on the samples)."),
                                QStringLiteral("FILE.in4")};
    QCommandLineOption scale{QStringLiteral("scale"), QStringLiteral("Board scale 1, 2 or 3."),
                             QStringLiteral("K"), QStringLiteral("1")};
    QCommandLineOption canvas{QStringLiteral("canvas"),
                              QStringLiteral("The board centred, unscaled, on a canvas of this size, e.g. 1920x1080."),
                              QStringLiteral("WxH")};
    QCommandLineOption background{QStringLiteral("background"),
                                  QStringLiteral("The canvas colour, a name or #rrggbb (default black)."),
                                  QStringLiteral("COLOUR"), QStringLiteral("black")};
    QCommandLineOption fps{QStringLiteral("fps"), QStringLiteral("Frames a second (default 30)."),
                           QStringLiteral("N"), QStringLiteral("30")};
    QCommandLineOption clock{QStringLiteral("clock"),
                             QStringLiteral("The board's clock at the start (default 10:00)."),
                             QStringLiteral("HH:MM"), QStringLiteral("10:00")};
    QCommandLineOption night{QStringLiteral("night"), QStringLiteral("\"深夜料金\" on from the start.")};
};

std::variant<VideoRequest, QString> videoRequest(const QCommandLineParser &parser, const VideoOptions &o)
{
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2)
        return QStringLiteral("one trip file is needed");
    if (!parser.isSet(o.output))
        return QStringLiteral("-o OUT is needed");
    VideoRequest request;
    request.tripFile = args[1];
    request.output = parser.value(o.output);
    request.settingsFile = parser.value(o.settings);
    request.lateNight = parser.isSet(o.night);
    bool ok = false;
    request.scale = parser.value(o.scale).toInt(&ok);
    if (!ok || request.scale < 1 || request.scale > 3)
        return QStringLiteral("--scale takes 1, 2 or 3");
    request.fps = parser.value(o.fps).toInt(&ok);
    if (!ok || request.fps < 1 || request.fps > 120)
        return QStringLiteral("--fps takes a number from 1 to 120");
    request.clock = QTime::fromString(parser.value(o.clock), QStringLiteral("H:mm"));
    if (!request.clock.isValid())
        return QStringLiteral("--clock takes a time as HH:MM");
    request.background = QColor::fromString(parser.value(o.background));
    if (!request.background.isValid())
        return QStringLiteral("--background takes a colour name or #rrggbb");
    if (parser.isSet(o.canvas)) {
        const auto m = QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$")).match(parser.value(o.canvas));
        request.canvas = m.hasMatch() ? QSize(m.captured(1).toInt(), m.captured(2).toInt()) : QSize();
        if (request.canvas.isEmpty() || request.canvas.width() % 2 || request.canvas.height() % 2)
            return QStringLiteral("--canvas takes even sides as WxH, e.g. 1920x1080");
    }
    return request;
}

QString clockText(qint64 ms)
{
    const qint64 s = ms / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

// A bar with the share done and the time left on a terminal; a line at
// every tenth otherwise, so a log stays short.
TripVideo::Progress progressReport(const QString &output)
{
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    auto tenth = std::make_shared<qint64>(0);
    auto shown = std::make_shared<QString>();
    const bool terminal = isatty(STDERR_FILENO) != 0;
    return [=](qint64 done, qint64 total) {
        const qint64 share = done * 100 / total;
        if (terminal) {
            const qint64 left = started->elapsed() * (total - done) / std::max<qint64>(done, 1);
            const int filled = int(share * 30 / 100);
            const QString bar = QStringLiteral("[%1%2] %3% %4 left")
                                    .arg(QString(filled, u'#'), QString(30 - filled, u'-'))
                                    .arg(share)
                                    .arg(clockText(left));
            // Drawn again only when it reads differently.
            if (bar != *shown || done == total) {
                *shown = bar;
                err() << '\r' << bar << (done == total ? "\n" : "");
                err().flush();
            }
        } else if (done * 10 / total > *tenth) {
            *tenth = done * 10 / total;
            err() << "lumina-fare: " << output << ": " << *tenth * 10 << "% (" << done << '/' << total
                  << " frames)\n";
            err().flush();
        }
    };
}

int makeVideo(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QString::fromLatin1(kVideoUsage)
        + QStringLiteral("\nPlays a trip file on Lumina's own board and panel, hidden and in the\n"
                         "trip's own time, and writes picture and sound as a video file.\n"
                         "The same inputs give the same frames and the same sound."));
    parser.addHelpOption();
    const VideoOptions o;
    parser.addOptions({o.output, o.settings, o.scale, o.canvas, o.background, o.fps, o.clock, o.night});
    parser.addPositionalArgument(QStringLiteral("video"), QStringLiteral("video"));
    parser.addPositionalArgument(QStringLiteral("trip"), QStringLiteral("The trip file."));
    if (!parser.parse(arguments))
        return complain(parser.errorText(), 2);
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    const auto parsed = videoRequest(parser, o);
    if (const QString *complaint = std::get_if<QString>(&parsed))
        return complain(*complaint, 2);
    const VideoRequest &request = std::get<VideoRequest>(parsed);
    TripVideo video;
    if (!video.make(request, progressReport(request.output)))
        return complain(video.errorString(), 1);
    return 0;
}

} // namespace

std::optional<int> runVideoCommand(int argc, char **argv)
{
    int first = 1;
    while (first < argc && argv[first][0] == '-')
        ++first;
    if (first >= argc || qstrcmp(argv[first], "video") != 0)
        return std::nullopt;
    // The board draws without a screen, as for `render`.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    registerFonts();
    return makeVideo(QCoreApplication::arguments());
}
