#include "Command.h"

#include "app/BoardPicture.h"
#include "route/FareTable.h"
#include "route/RouteSetting.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QColor>
#include <QImage>
#include <QPainter>

#include <optional>
#include <variant>

namespace lumina::fare {

namespace {

// A whole number in [low, high] from an option, or nothing.
std::optional<int> number(const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

// The board with a margin of `background` around it, clear outside its
// rounded outline; the board alone without a colour.
QImage onBackground(const QImage &board, const QString &background)
{
    if (background.isEmpty() || board.isNull())
        return board;
    const int margin = board.height() / 12;
    QImage out(board.size() + QSize(2 * margin, 2 * margin), QImage::Format_RGB32);
    out.setDevicePixelRatio(board.devicePixelRatio());
    out.fill(QColor::fromString(background));
    QPainter painter(&out);
    painter.drawImage(QPointF(margin, margin) / board.devicePixelRatio(), board);
    return out;
}

int writePng(const Invocation &call, const QImage &board, const QString &path)
{
    const QImage image = onBackground(board, call.parser.value(QStringLiteral("background")));
    const QString &command = call.command;
    QByteArray png;
    QBuffer buffer(&png);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return refuse(command, path, Text::tr("the picture could not be made"));
    return writeOutput(command, path, png);
}

// The request the command line makes, or the complaint about it.
std::variant<BoardPictureRequest, QString> renderRequest(const Invocation &call)
{
    const QCommandLineParser &p = call.parser;
    const bool one = p.isSet(QStringLiteral("stop"));
    const bool all = p.isSet(QStringLiteral("all"));
    if (one == all)
        return Text::tr("either --stop N with -o FILE.png, or --all DIR");
    if (one != p.isSet(QStringLiteral("o")))
        return Text::tr("--stop N and -o FILE.png go together");
    const auto section = number(p.value(QStringLiteral("section")), 1, 300);
    const auto scale = number(p.value(QStringLiteral("scale")), 1, 3);
    if (!section)
        return Text::tr("--section takes a number from 1 to 300");
    if (!scale)
        return Text::tr("--scale takes 1, 2 or 3");
    if (one && !number(p.value(QStringLiteral("stop")), 1, FareTable::kEntryCount))
        return Text::tr("--stop takes a stop number from 1");
    const QString background = p.value(QStringLiteral("background"));
    if (p.isSet(QStringLiteral("background")) && !QColor::isValidColorName(background))
        return Text::tr("--background takes a colour such as white or #e8eef4");
    BoardPictureRequest request;
    request.routeFile = call.files.at(0);
    request.lateNight = p.isSet(QStringLiteral("night"));
    request.settingsFile = p.value(QStringLiteral("settings"));
    request.section = *section;
    request.scale = *scale;
    return request;
}

// The route is read on its own first, so that each problem is put on the
// file it is in: what remains after a good route is the settings file's.
bool prepare(const QString &command, const BoardPictureRequest &request, BoardPictures &pictures)
{
    const RouteEntry entry{QFileInfo(request.routeFile).completeBaseName(), request.section};
    const RouteLoad route = loadRouteFile(request.routeFile, entry);
    if (!route.loaded()) {
        QString message = route.message.section(QStringLiteral("\r\n"), 0, 0);
        if (route.status == RouteLoad::Status::FileMissing)
            message = Text::tr("%1 (looked for %2)").arg(message, QFileInfo(request.routeFile).absoluteFilePath());
        refuse(command, request.routeFile, message);
        return false;
    }
    const bool prepared = pictures.prepare(request);
    const QString blamed = request.settingsFile.isEmpty() ? request.routeFile : request.settingsFile;
    for (const QString &message : pictures.messages())
        refuse(command, blamed, message);
    return prepared;
}

int renderAll(const Invocation &call, BoardPictures &pictures, const QString &folder)
{
    if (!QDir().mkpath(folder))
        return refuse(call.command, folder, Text::tr("cannot make the folder"));
    for (int n = 1; n <= pictures.stopCount(); ++n) {
        const QString name = QStringLiteral("stop-%1.png").arg(n, 3, 10, QLatin1Char('0'));
        if (writePng(call, pictures.picture(n), QDir(folder).filePath(name)) != Done)
            return Refused;
    }
    return Done;
}

int render(const Invocation &call)
{
    const auto parsed = renderRequest(call);
    if (const QString *complaint = std::get_if<QString>(&parsed))
        return misuse(call.command, *complaint);
    const BoardPictureRequest &request = std::get<BoardPictureRequest>(parsed);
    BoardPictures pictures;
    if (!prepare(call.command, request, pictures))
        return Refused;
    if (call.parser.isSet(QStringLiteral("all")))
        return renderAll(call, pictures, call.parser.value(QStringLiteral("all")));
    const int stop = call.parser.value(QStringLiteral("stop")).toInt();
    if (stop > pictures.stopCount()) {
        return refuse(call.command, request.routeFile,
                      Text::tr("there is no stop %1 (the route has %2).")
                          .arg(stop)
                          .arg(pictures.stopCount()));
    }
    return writePng(call, pictures.picture(stop), call.parser.value(QStringLiteral("o")));
}

QCommandLineOption option(const char *name, const char *text, const char *value = nullptr,
                          const char *fallback = nullptr)
{
    if (!value)
        return QCommandLineOption(QString::fromLatin1(name), Text::tr(text));
    return QCommandLineOption(QString::fromLatin1(name), Text::tr(text), QString::fromLatin1(value),
                              QString::fromLatin1(fallback));
}

} // namespace

Command renderCommand()
{
    Command c;
    c.name = QStringLiteral("render");
    c.synopsis = QStringLiteral("FILE.hy3 (--stop N -o FILE.png | --all DIR) [options]");
    c.summary = Text::tr("Draw the board as the program shows a stop, as PNG.");
    c.details = Text::tr("The program's own drawing, without a display. The route is set at the\n"
        "section as when keyed; --all writes stop-001.png, stop-002.png, ...");
    c.options = {option("stop", QT_TRANSLATE_NOOP("lumina::fare", "The stop shown (1 = first)."), "N"),
                 option("o", QT_TRANSLATE_NOOP("lumina::fare", "The picture written (\"-\": standard output)."), "FILE.png"),
                 option("all", QT_TRANSLATE_NOOP("lumina::fare", "One picture per stop into DIR."), "DIR"),
                 option("section", QT_TRANSLATE_NOOP("lumina::fare", "The section the route is set at (default 1)."), "S", "1"),
                 option("night", QT_TRANSLATE_NOOP("lumina::fare", "Late-night fares.")),
                 option("scale", QT_TRANSLATE_NOOP("lumina::fare", "Board scale 1, 2 or 3 (default 1)."), "K", "1"),
                 option("settings", QT_TRANSLATE_NOOP("lumina::fare", "Colours, digits and fonts from this settings file."), "FILE.in4"),
                 option("background", QT_TRANSLATE_NOOP("lumina::fare", "Put the board on this colour, with a margin."), "COLOUR")};
    c.drawsBoard = true;
    c.run = render;
    return c;
}

} // namespace lumina::fare
