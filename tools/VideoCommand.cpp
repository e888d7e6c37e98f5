#include "VideoCommand.h"

#include "video/TripVideo.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTextStream>

#include <unistd.h>

#include <variant>

namespace lumina::fare {

namespace {

QTextStream &err()
{
    static QTextStream stream(stderr);
    stream.setEncoding(QStringConverter::Utf8);
    return stream;
}

struct VideoOptions {
    QCommandLineOption output{QStringLiteral("o"), Text::tr("The video written: .mp4, .webm or .mkv."),
                              QStringLiteral("OUT")};
    QCommandLineOption settings{QStringLiteral("settings"),
                                Text::tr("Options from this settings file (default: the samples')."),
                                QStringLiteral("FILE.in4")};
    QCommandLineOption scale{QStringLiteral("scale"), Text::tr("Board scale 1, 2 or 3 (default 1)."),
                             QStringLiteral("K"), QStringLiteral("1")};
    QCommandLineOption canvas{QStringLiteral("canvas"),
                              Text::tr("The board centred, unscaled, on a WxH canvas."),
                              QStringLiteral("WxH")};
    QCommandLineOption background{QStringLiteral("background"),
                                  Text::tr("The canvas colour (default black)."),
                                  QStringLiteral("COLOUR"), QStringLiteral("black")};
    QCommandLineOption fps{QStringLiteral("fps"), Text::tr("Frames a second (default 30)."),
                           QStringLiteral("N"), QStringLiteral("30")};
    QCommandLineOption clock{QStringLiteral("clock"),
                             Text::tr("The board's clock at the start (default 10:00)."),
                             QStringLiteral("HH:MM"), QStringLiteral("10:00")};
    QCommandLineOption night{QStringLiteral("night"), QStringLiteral("\"深夜料金\" on from the start.")};
};

std::variant<VideoRequest, QString> videoRequest(const Invocation &call, const VideoOptions &o)
{
    const QCommandLineParser &parser = call.parser;
    if (!parser.isSet(o.output))
        return Text::tr("-o OUT is needed");
    VideoRequest request;
    request.tripFile = call.files.constFirst();
    request.output = parser.value(o.output);
    request.settingsFile = parser.value(o.settings);
    request.lateNight = parser.isSet(o.night);
    bool ok = false;
    request.scale = parser.value(o.scale).toInt(&ok);
    if (!ok || request.scale < 1 || request.scale > 3)
        return Text::tr("--scale takes 1, 2 or 3");
    request.fps = parser.value(o.fps).toInt(&ok);
    if (!ok || request.fps < 1 || request.fps > 120)
        return Text::tr("--fps takes a number from 1 to 120");
    request.clock = QTime::fromString(parser.value(o.clock), QStringLiteral("H:mm"));
    if (!request.clock.isValid())
        return Text::tr("--clock takes a time as HH:MM");
    request.background = QColor::fromString(parser.value(o.background));
    if (!request.background.isValid())
        return Text::tr("--background takes a colour name or #rrggbb");
    if (parser.isSet(o.canvas)) {
        const auto m = QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$")).match(parser.value(o.canvas));
        request.canvas = m.hasMatch() ? QSize(m.captured(1).toInt(), m.captured(2).toInt()) : QSize();
        if (request.canvas.isEmpty() || request.canvas.width() % 2 || request.canvas.height() % 2)
            return Text::tr("--canvas takes even sides as WxH, e.g. 1920x1080");
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
            const QString bar = Text::tr("[%1%2] %3% %4 left")
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

int makeVideo(const Invocation &call)
{
    const auto parsed = videoRequest(call, VideoOptions());
    if (const QString *complaint = std::get_if<QString>(&parsed))
        return misuse(call.command, *complaint);
    const VideoRequest &request = std::get<VideoRequest>(parsed);
    TripVideo video;
    if (!video.make(request, progressReport(request.output)))
        return refuse(call.command, video.blamedFile(), video.errorString());
    return Done;
}

} // namespace

Command videoCommand()
{
    const VideoOptions o;
    Command c;
    c.name = QStringLiteral("video");
    c.synopsis = QStringLiteral("TRIP -o OUT.mp4|.webm|.mkv [options]");
    c.summary = Text::tr("Play a trip on the board into a video file, picture and sound.");
    c.details = Text::tr("The trip is played on the program's own board and panel, hidden and in\n"
        "its own time; the sound is mixed offline. The same inputs give the same\n"
        "frames and samples. Nothing is written unless the video is complete.");
    c.options = {o.output, o.settings, o.scale, o.canvas, o.background, o.fps, o.clock, o.night};
    c.drawsBoard = true;
    c.run = makeVideo;
    return c;
}

} // namespace lumina::fare
