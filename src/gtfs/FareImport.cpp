#include "gtfs/FareImport.h"

#include "base/CodePage.h"
#include "gtfs/Feed.h"

#include <QSet>

#include <algorithm>
#include <limits>
#include <optional>

namespace lumina::gtfs {

namespace {

constexpr int kListedMissing = 20;

// The fares of one route by zones. Rules naming no contains_id are looked up
// by origin and destination, either of which may be left open; the rules of a
// fare that name contains_id match a ride that passes through exactly the
// zones they list, as GTFS has it.
class FareFinder
{
public:
    FareFinder(const Feed &feed, const QString &routeId)
    {
        for (const FareRule &rule : feed.fareRules) {
            if (!rule.routeId.isEmpty() && rule.routeId != routeId)
                continue;
            const int price = feed.prices.value(rule.fareId);
            if (rule.containsId.isEmpty()) {
                const auto key = std::pair(rule.originId, rule.destinationId);
                m_byZones[key] = std::min(m_byZones.value(key, price), price);
            } else {
                Through &through = m_through[{rule.fareId, rule.originId, rule.destinationId}];
                through.price = price;
                through.zones.insert(rule.containsId);
            }
        }
    }

    std::optional<int> fare(const QString &origin, const QString &destination,
                            const QSet<QString> &zones) const
    {
        std::optional<int> best;
        const auto take = [&best](int price) { best = std::min(best.value_or(price), price); };
        for (const auto &key : {std::pair(origin, destination), std::pair(origin, QString()),
                                std::pair(QString(), destination), std::pair(QString(), QString())}) {
            if (const auto at = m_byZones.constFind(key); at != m_byZones.cend())
                take(*at);
        }
        for (auto at = m_through.cbegin(); at != m_through.cend(); ++at) {
            const auto &[fareId, from, to] = at.key();
            if ((from.isEmpty() || from == origin) && (to.isEmpty() || to == destination)
                && at->zones == zones)
                take(at->price);
        }
        return best;
    }

private:
    struct Through {
        int price = 0;
        QSet<QString> zones;
    };
    QHash<std::pair<QString, QString>, int> m_byZones;
    QMap<std::tuple<QString, QString, QString>, Through> m_through;
};

bool servesDirection(const Trip &trip, int direction)
{
    return trip.direction < 0 || trip.direction == direction;
}

// What keeps a text of the stop from the files, "" when nothing does: a
// character code page 932 lacks, or a line break or other control character
// (a quoted field may hold one), which would split an announcement in two.
QString textProblem(const Stop &stop, const QString &text)
{
    if (std::any_of(text.cbegin(), text.cend(), [](QChar ch) { return ch.category() == QChar::Other_Control; }))
        return FareImport::tr("stops.txt %1行目 stop_name: 停留所 %2 の「%3」に改行などの制御文字があります。")
            .arg(stop.line)
            .arg(stop.id, text);
    const QString bad = cp932::firstUnencodable(text);
    if (bad.isEmpty())
        return QString();
    return FareImport::tr(
               "stops.txt %1行目 stop_name: 停留所 %2 の「%3」の「%4」はコードページ932で表せません。")
        .arg(stop.line)
        .arg(stop.id, text, bad);
}

QList<const Stop *> tripStops(const Feed &feed, const QString &tripId)
{
    QList<const Stop *> stops;
    for (const StopTime &time : feed.stopTimes.value(tripId))
        stops.append(&*feed.stops.constFind(time.stopId));
    return stops;
}

void addRecords(const QList<const Stop *> &stops, ImportResult &result)
{
    for (qsizetype s = 0; s < stops.size(); ++s) {
        FareRecord record;
        record.stopName = stops[s]->name;
        record.ticketNumber = qint16(s < FareImport::kNumbered ? s + 1 : 0);
        result.records.push_back(record);
        const QString problem = textProblem(*stops[s], record.stopName);
        if (!problem.isEmpty())
            result.problems.append(problem);
    }
}

// Fills value t of record s with the fare from stop t to stop s.
void addFares(const Feed &feed, const QList<const Stop *> &stops, const ImportChoice &choice,
              ImportResult &result)
{
    const FareFinder finder(feed, result.routeId);
    QStringList missing;
    for (qsizetype s = 0; s < stops.size(); ++s) {
        QSet<QString> zones;
        for (qsizetype t = s; t >= 0; --t) {
            if (!stops[t]->zone.isEmpty())
                zones.insert(stops[t]->zone);
            if (t >= FareImport::kNumbered)
                continue;
            const std::optional<int> fare = finder.fare(stops[t]->zone, stops[s]->zone, zones);
            if (fare && *fare > std::numeric_limits<qint16>::max()) {
                result.problems.append(
                    FareImport::tr("停留所 %1 から %2 までの運賃 %3 円は 32767 円を超えます。")
                        .arg(stops[t]->id, stops[s]->id)
                        .arg(*fare));
            } else if (fare) {
                result.records[size_t(s)].values[size_t(t)] = qint16(*fare);
            } else if (t != s) {
                missing.append(
                    FareImport::tr("停留所 %1（ゾーン %2）から %3（ゾーン %4）までの運賃がありません。")
                        .arg(stops[t]->id, stops[t]->zone, stops[s]->id, stops[s]->zone));
            }
        }
    }
    QStringList &told = choice.allowMissing ? result.notes : result.problems;
    told.append(missing.mid(0, kListedMissing));
    if (missing.size() > kListedMissing)
        told.append(FareImport::tr("ほかに %1 組の運賃がありません。").arg(missing.size() - kListedMissing));
}

void addTape(const Feed &feed, const QList<const Stop *> &stops, ImportResult &result)
{
    for (qsizetype s = 0; s < stops.size(); ++s) {
        const QString text = QStringLiteral("つぎは、%1です。").arg(feed.readingOf(*stops[s]));
        const QString problem = textProblem(*stops[s], text);
        if (!problem.isEmpty())
            result.problems.append(problem);
        result.tape.append({text, 1, qint16(s == 0 ? 1 : 0)});
    }
}

} // namespace

QString FareImport::chosenTrip(const Feed &feed, const ImportChoice &choice, QString *problem)
{
    QString found;
    qsizetype most = 0;
    for (const Trip &trip : feed.trips) {
        const bool named = choice.tripId.isEmpty()
            ? trip.routeId == choice.routeId && servesDirection(trip, choice.direction)
            : trip.id == choice.tripId;
        const qsizetype count = feed.stopTimes.value(trip.id).size();
        if (named && (found.isEmpty() || count > most)) {
            found = trip.id;
            most = count;
        }
    }
    if (found.isEmpty() && problem) {
        *problem = choice.tripId.isEmpty()
            ? tr("trips.txt: 路線 %1 の方向 %2 の便がありません。").arg(choice.routeId).arg(choice.direction)
            : tr("trips.txt: 便 %1 がありません。").arg(choice.tripId);
    }
    return found;
}

int FareImport::longestTripStops(const Feed &feed, const QString &routeId, int direction)
{
    ImportChoice choice;
    choice.routeId = routeId;
    choice.direction = direction;
    const QString trip = chosenTrip(feed, choice);
    return trip.isEmpty() ? 0 : int(feed.stopTimes.value(trip).size());
}

ImportResult FareImport::run(const Feed &feed, const ImportChoice &choice)
{
    ImportResult result;
    QString problem;
    result.tripId = chosenTrip(feed, choice, &problem);
    if (result.tripId.isEmpty()) {
        result.problems.append(problem);
        return result;
    }
    for (const Trip &trip : feed.trips) {
        if (trip.id == result.tripId)
            result.routeId = trip.routeId;
    }
    const QList<const Stop *> stops = tripStops(feed, result.tripId);
    if (stops.size() < 2 || stops.size() > kMaxStops) {
        result.problems.append(tr("便 %1 の停留所は %2 です。2 から %3 までにしか使えません。")
                                   .arg(result.tripId)
                                   .arg(stops.size())
                                   .arg(kMaxStops));
        return result;
    }
    if (stops.size() > kNumbered) {
        result.notes.append(tr("便 %1 の停留所は %2 あります。整理券番号は最初の %3 停留所にだけ付けます。")
                                .arg(result.tripId)
                                .arg(stops.size())
                                .arg(kNumbered));
    }
    addRecords(stops, result);
    addFares(feed, stops, choice, result);
    if (choice.tape)
        addTape(feed, stops, result);
    return result;
}

} // namespace lumina::gtfs
