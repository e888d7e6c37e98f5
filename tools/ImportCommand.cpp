#include "Command.h"

#include "gtfs/FareImport.h"
#include "gtfs/Feed.h"
#include "gtfs/FeedSource.h"
#include "route/FareFile.h"
#include "sound/AnnouncementTape.h"

#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>

#include <memory>
#include <vector>

namespace lumina::fare {

namespace {

// The context of the command's texts for the translation files.
struct ImportCommand {
    Q_DECLARE_TR_FUNCTIONS(ImportCommand)
};

int listRoutes(const Invocation &call, const gtfs::Feed &feed)
{
    // A header for the columns, read by scripts as much as by people: not translated.
    QString out = QStringLiteral("route_id\tshort_name\tlong_name\tstops_direction_0\tstops_direction_1\n");
    for (const gtfs::Route &route : feed.routes) {
        out += QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
                   .arg(route.id, route.shortName, route.longName)
                   .arg(gtfs::FareImport::longestTripStops(feed, route.id, 0))
                   .arg(gtfs::FareImport::longestTripStops(feed, route.id, 1));
    }
    return writeOutput(call.command, QStringLiteral("-"), out.toUtf8());
}

// The route number as the program keys it (no leading zeros); "" when neither
// --number nor the route's short name is one of up to five digits.
QString routeNumber(const Invocation &call, const gtfs::Feed &feed, const QString &routeId)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{1,5}$"));
    QString number = call.parser.value(QStringLiteral("number"));
    for (const gtfs::Route &route : feed.routes) {
        if (number.isEmpty() && route.id == routeId)
            number = route.shortName;
    }
    if (!digits.match(number).hasMatch() || number.toInt() == 0)
        return QString();
    return QString::number(number.toInt());
}

struct Output {
    QString path;
    QByteArray bytes;
};

// Every file is written aside first; none replaces its old self until all
// were written whole.
int writeAll(const Invocation &call, const std::vector<Output> &outputs)
{
    std::vector<std::unique_ptr<QSaveFile>> files;
    for (const Output &output : outputs) {
        if (!QDir().mkpath(QFileInfo(output.path).absolutePath()))
            return refuse(call.command, output.path, ImportCommand::tr("cannot make its folder"));
        files.push_back(std::make_unique<QSaveFile>(output.path));
        QSaveFile &file = *files.back();
        if (!file.open(QIODevice::WriteOnly) || file.write(output.bytes) != output.bytes.size())
            return refuse(call.command, output.path,
                          Text::tr("cannot write: %1").arg(file.errorString()));
    }
    for (const auto &file : files) {
        if (!file->commit())
            return refuse(call.command, file->fileName(),
                          Text::tr("cannot write: %1").arg(file->errorString()));
    }
    return Done;
}

int importTrip(const Invocation &call, const gtfs::Feed &feed, const gtfs::ImportChoice &choice)
{
    const QString feedPath = call.files.at(0);
    const gtfs::ImportResult result = gtfs::FareImport::run(feed, choice);
    for (const QString &note : result.notes)
        refuse(call.command, feedPath, note);
    for (const QString &problem : result.problems)
        refuse(call.command, feedPath, problem);
    if (!result.problems.isEmpty())
        return Refused;
    const QString number = routeNumber(call, feed, result.routeId);
    if (number.isEmpty())
        return misuse(call.command,
                      ImportCommand::tr("--number N is needed: route %1 has no short name of 1 to 5 digits "
                                        "(and N must be one)")
                          .arg(result.routeId));
    FareFileWriter writer;
    const QDir dir(call.parser.value(QStringLiteral("o")));
    std::vector<Output> outputs{
        {dir.filePath(number + QStringLiteral(".hy3")), writer.toBytes(result.records)}};
    if (outputs.front().bytes.isEmpty())
        return refuse(call.command, feedPath, writer.errorString());
    if (choice.tape) {
        outputs.push_back({dir.filePath(QStringLiteral("tape/") + tapeFileName(number)),
                           tapeFileBytes(result.tape)});
    }
    if (const int status = writeAll(call, outputs); status != Done)
        return status;
    QString said;
    for (const Output &output : outputs)
        said += ImportCommand::tr("%1: %2 stops of trip %3\n")
                    .arg(output.path)
                    .arg(result.records.size())
                    .arg(result.tripId);
    return writeOutput(call.command, QStringLiteral("-"), said.toUtf8());
}

int import(const Invocation &call)
{
    const QCommandLineParser &p = call.parser;
    const bool list = p.isSet(QStringLiteral("list"));
    if (!list && p.isSet(QStringLiteral("route")) == p.isSet(QStringLiteral("trip")))
        return misuse(call.command,
                      ImportCommand::tr("one of --route ROUTE_ID and --trip TRIP_ID is needed"));
    if (!list && !p.isSet(QStringLiteral("o")))
        return misuse(call.command,
                      ImportCommand::tr("-o DIR is needed: the folder the fare data file goes to"));
    const QString direction = p.value(QStringLiteral("direction"));
    if (direction != u"0" && direction != u"1")
        return misuse(call.command, ImportCommand::tr("--direction is 0 or 1, not '%1'").arg(direction));
    gtfs::FeedSource source;
    if (!source.open(call.files.at(0)))
        return refuse(call.command, call.files.at(0), source.errorString());
    gtfs::Feed feed;
    if (!feed.load(source))
        return refuse(call.command, call.files.at(0), feed.errorString());
    if (list)
        return listRoutes(call, feed);
    const gtfs::ImportChoice choice{p.value(QStringLiteral("route")), p.value(QStringLiteral("trip")),
                                    direction.toInt(), p.isSet(QStringLiteral("allow-missing")),
                                    p.isSet(QStringLiteral("tape"))};
    return importTrip(call, feed, choice);
}

// `description` marked with QT_TRANSLATE_NOOP("ImportCommand", ...).
QCommandLineOption option(const char *name, const char *description, const char *valueName = nullptr,
                          const char *defaultValue = nullptr)
{
    return QCommandLineOption(QString::fromLatin1(name), ImportCommand::tr(description),
                              QString::fromLatin1(valueName), QString::fromLatin1(defaultValue));
}

} // namespace

Command importCommand()
{
    Command c;
    c.name = QStringLiteral("import");
    c.synopsis = ImportCommand::tr(
        "FEED (--list | --route ROUTE_ID [--direction 0|1] | --trip TRIP_ID) [--number N] "
        "[--tape] [--allow-missing] -o DIR");
    c.summary = ImportCommand::tr(
        "Make a route's fare data file (and announcement file) from a GTFS / GTFS-JP feed.");
    c.details = ImportCommand::tr(
        "FEED is a GTFS zip file or a folder of its .txt files. The stops are those of the\n"
        "trip named, or of the route's trip with the most stops in the direction; the\n"
        "fares come from fare_attributes.txt and fare_rules.txt by the stops' zones.\n"
        "Writes DIR/N.hy3 (and DIR/tape/Ntp.csv with --tape), or nothing on a problem.\n"
        "See docs/gtfs-import.md.");
    c.options = {
        option("list",
               QT_TRANSLATE_NOOP("ImportCommand",
                                 "List the feed's routes and the stops of their longest trip each way.")),
        option("route", QT_TRANSLATE_NOOP("ImportCommand", "The route (route_id) to import."), "ROUTE_ID"),
        option("direction",
               QT_TRANSLATE_NOOP("ImportCommand", "The route's direction (direction_id), 0 or 1."), "0|1",
               "0"),
        option("trip", QT_TRANSLATE_NOOP("ImportCommand", "The trip (trip_id) to import."), "TRIP_ID"),
        option("number",
               QT_TRANSLATE_NOOP("ImportCommand",
                                 "The route number naming the file (default: the route's short name)."),
               "N"),
        option("tape",
               QT_TRANSLATE_NOOP("ImportCommand", "Also write the announcement file: one entry a stop.")),
        option("allow-missing",
               QT_TRANSLATE_NOOP("ImportCommand",
                                 "Leave the cell of a pair without a fare dark, not an error.")),
        option("o", QT_TRANSLATE_NOOP("ImportCommand", "The folder written to (made when missing)."), "DIR")};
    c.run = import;
    return c;
}

} // namespace lumina::fare
