// lumina-fare trip: a starting trip for a route, the route set at 0:00 and
// then one press at a steady pace until the bus stands at the last stop.

#include "Command.h"
#include "FareChecks.h"

#include "route/TripFile.h"
#include "sound/AnnouncementTape.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>
#include <optional>
#include <vector>

namespace lumina::fare {

namespace {

// Writes the lines of a trip one press after another, each with the stop the
// board shows after it as a comment, so the file reads like the route.
class TripWriter
{
public:
    TripWriter(const std::vector<FareRecord> &stops, qint64 everyMs) : m_stops(stops), m_everyMs(everyMs) {}

    void route(const QString &number) { add(QStringLiteral("route %1 1").arg(number)); }
    void press(TripAction action, bool steps)
    {
        m_atMs += m_everyMs;
        if (steps)
            ++m_stop;
        add(tripActionWords(action));
    }
    void end()
    {
        m_atMs += m_everyMs;
        m_text += tripTime(m_atMs) + QStringLiteral(" end\n");
    }
    bool atLastStop() const { return m_stop >= m_stops.size(); }
    QString text() const { return m_text; }

private:
    void add(const QString &words)
    {
        m_text += QStringLiteral("%1 %2  # %3\n").arg(tripTime(m_atMs), words, m_stops[m_stop - 1].stopName);
    }

    const std::vector<FareRecord> &m_stops;
    qint64 m_everyMs;
    qint64 m_atMs = 0;
    size_t m_stop = 1;
    QString m_text;
};

// The tape's "送り" while its entries belong to stops (one that would step past
// the last stop belongs to none), then "データ送り" for any stops left.
QString startingTrip(const QString &number, const std::vector<FareRecord> &stops,
                     const QList<TapeEntry> &tape, qint64 everyMs)
{
    TripWriter trip(stops, everyMs);
    trip.route(number);
    for (const TapeEntry &entry : tape) {
        const bool steps = entry.stepFlag == 1;
        if (steps && trip.atLastStop())
            break;
        trip.press(TripAction::TapeNext, steps);
    }
    while (!trip.atLastStop())
        trip.press(TripAction::Next, true);
    trip.end();
    return trip.text();
}

std::optional<qint64> everyMs(const QString &text)
{
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    if (!ok || !(seconds >= 0.1 && seconds <= 3600))
        return std::nullopt;
    return qint64(std::llround(seconds * 1000));
}

int trip(const Invocation &call)
{
    const std::optional<qint64> pace = everyMs(call.parser.value(QStringLiteral("every")));
    if (!pace)
        return misuse(call.command, Text::tr("--every takes seconds from 0.1 to 3600"));
    // The trip keys the route by number: the file is named by it, as the
    // program finds a route's file in its fare data folder.
    const QString in = call.files.at(0);
    const QString number = QFileInfo(in).completeBaseName();
    if (!QRegularExpression(QStringLiteral("^[0-9]{1,5}$")).match(number).hasMatch())
        return refuse(call.command, in, Text::tr("the file name is no route number (such as 12.hy3)."));
    QByteArray bytes;
    if (!readInput(call.command, in, bytes))
        return Refused;
    const RouteCheck route = checkFareFile(bytes);
    if (!route.problems.isEmpty())
        return refuse(call.command, in, route.problems.join(QStringLiteral(" ")));
    TapeLoad tape;
    if (const QString path = call.parser.value(QStringLiteral("tape")); !path.isEmpty()) {
        tape = readTape(path);
        if (!tape.ok)
            return refuse(call.command, path, tape.errorString);
    }
    const QString text = startingTrip(number, route.records, tape.entries, *pace);
    return writeOutput(call.command, call.parser.value(QStringLiteral("o")), text.toUtf8());
}

} // namespace

Command tripCommand()
{
    Command c;
    c.name = QStringLiteral("trip");
    c.synopsis = QStringLiteral("ROUTE.hy3 [--tape TP.csv] [--every SECONDS] [-o TRIP]");
    c.summary = Text::tr("Write a starting trip for the route, for lumina --play.");
    c.details = Text::tr(
        "The route (named by the file: 12.hy3 is route 12) is set at 0:00, then every\n"
        "SECONDS the tape's \"送り\" (\"データ送り\" without --tape) is pressed until the\n"
        "last stop, and the trip ends SECONDS after that. Format: docs/trips.md.");
    c.options = {
        QCommandLineOption(QStringLiteral("tape"), Text::tr("The route's announcement file."),
                           QStringLiteral("TP.csv")),
        QCommandLineOption(QStringLiteral("every"), Text::tr("Seconds between presses (default 20)."),
                           QStringLiteral("SECONDS"), QStringLiteral("20")),
        outputOption(Text::tr("The trip written (default: standard output)."), QStringLiteral("TRIP")),
    };
    c.run = trip;
    return c;
}

} // namespace lumina::fare
