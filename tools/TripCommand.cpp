// lumina-fare trip: a starting trip for a route, the route set at 0:00 and
// then one press at a steady pace until the bus stands at the last stop.

#include "TripCommand.h"

#include "route/RouteSetting.h"
#include "route/TripFile.h"
#include "sound/AnnouncementTape.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

#include <cmath>
#include <optional>

using namespace lumina;

namespace {

const char kTripUsage[] = "usage: lumina-fare trip ROUTE.hy3 [--tape TP.csv] [--every SECONDS] -o TRIP\n";

int complain(const QString &what, int code)
{
    QTextStream err(stderr);
    err.setEncoding(QStringConverter::Utf8);
    err << "lumina-fare: " << what << '\n';
    if (code == 2)
        err << kTripUsage << "Try 'lumina-fare trip --help' for more information.\n";
    return code;
}

// Writes the lines of a trip one press after another, each with the stop the
// board shows after it as a comment, so the file reads like the route.
class TripWriter
{
public:
    TripWriter(const RouteLoad &route, qint64 everyMs) : m_route(route), m_everyMs(everyMs) {}

    void route(const QString &number)
    {
        add(QStringLiteral("route %1 1").arg(number));
    }
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
    bool atLastStop() const { return m_stop >= m_route.stopCount; }
    QString text() const { return m_text; }

private:
    void add(const QString &words)
    {
        m_text += QStringLiteral("%1 %2  # %3\n")
                      .arg(tripTime(m_atMs), words, m_route.table.entry(m_stop).stopName);
    }

    const RouteLoad &m_route;
    qint64 m_everyMs;
    qint64 m_atMs = 0;
    int m_stop = 1;
    QString m_text;
};

// The tape's "送り" while its entries belong to stops (one that would step past
// the last stop belongs to none), then "データ送り" for any stops left.
QString startingTrip(const RouteLoad &route, const QList<TapeEntry> &tape, qint64 everyMs)
{
    TripWriter trip(route, everyMs);
    trip.route(route.routeNumber);
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

int writeTrip(const QString &path, const QString &text)
{
    // Written aside and renamed, so a failure never leaves half a trip.
    QSaveFile out(path);
    const QByteArray bytes = text.toUtf8();
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return complain(path + QStringLiteral(": ") + out.errorString(), 1);
    return 0;
}

} // namespace

int tripCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QString::fromLatin1(kTripUsage)
        + QStringLiteral("\nWrites a starting trip: the route set at 0:00, then every SECONDS the tape's\n"
                         "\"送り\" (\"データ送り\" without a tape) until the last stop, and end after it."));
    parser.addHelpOption();
    const QCommandLineOption tape(QStringLiteral("tape"), QStringLiteral("The route's announcement file."),
                                  QStringLiteral("TP.csv"));
    const QCommandLineOption every(QStringLiteral("every"), QStringLiteral("Seconds between presses (default 20)."),
                                   QStringLiteral("SECONDS"), QStringLiteral("20"));
    const QCommandLineOption output(QStringLiteral("o"), QStringLiteral("The trip written."), QStringLiteral("TRIP"));
    parser.addOptions({tape, every, output});
    parser.addPositionalArgument(QStringLiteral("trip"), QStringLiteral("trip"));
    parser.addPositionalArgument(QStringLiteral("route"), QStringLiteral("The route's fare data file."));
    if (!parser.parse(arguments))
        return complain(parser.errorText(), 2);
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    const QStringList args = parser.positionalArguments();
    const std::optional<qint64> pace = everyMs(parser.value(every));
    if (args.size() != 2 || !parser.isSet(output))
        return complain(QStringLiteral("one fare data file and -o TRIP are needed"), 2);
    if (!pace)
        return complain(QStringLiteral("--every takes seconds from 0.1 to 3600"), 2);

    // The trip keys the route by number: the file must be named by it, as the
    // program finds a route's file in its fare data folder.
    const QString number = QFileInfo(args[1]).completeBaseName();
    if (!QRegularExpression(QStringLiteral("^[0-9]{1,5}$")).match(number).hasMatch())
        return complain(args[1] + QStringLiteral(": ファイル名が系統番号ではありません（例: 12.hy3）。"), 1);
    const RouteLoad route = loadRouteFile(args[1], RouteEntry{number, 1});
    if (!route.loaded())
        return complain(args[1] + QStringLiteral(": ") + route.message, 1);
    TapeLoad entries;
    if (parser.isSet(tape)) {
        entries = readTape(parser.value(tape));
        if (!entries.ok)
            return complain(parser.value(tape) + QStringLiteral(": ") + entries.errorString, 1);
    }
    return writeTrip(parser.value(output), startingTrip(route, entries.entries, *pace));
}
