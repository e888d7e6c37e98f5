#include "gtfs/Feed.h"

#include "gtfs/CsvTable.h"
#include "gtfs/FeedSource.h"

#include <QBuffer>
#include <QRegularExpression>

#include <algorithm>

namespace lumina::gtfs {

namespace {

const QString kStopId = QStringLiteral("stop_id");
const QString kRouteId = QStringLiteral("route_id");
const QString kTripId = QStringLiteral("trip_id");
const QString kFareId = QStringLiteral("fare_id");
const QString kReading = QStringLiteral("ja-Hrkt");

} // namespace

bool Feed::load(FeedSource &source)
{
    *this = Feed();
    return loadStops(source) && loadRoutes(source) && loadTrips(source) && loadStopTimes(source)
        && loadFares(source) && loadTranslations(source);
}

QString Feed::readingOf(const Stop &stop) const
{
    return readingsById.value(stop.id, readingsByName.value(stop.name, stop.name));
}

bool Feed::fail(const QString &text)
{
    m_errorString = text;
    return false;
}

bool Feed::readTable(FeedSource &source, const QString &file, const QStringList &columns, CsvTable &table,
                     bool needed)
{
    if (!needed && !source.contains(file))
        return true;
    QByteArray bytes;
    if (!source.read(file, bytes))
        return fail(source.errorString());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    if (!table.read(&buffer, file))
        return fail(table.errorString());
    for (const QString &column : columns) {
        if (!table.hasColumn(column))
            return fail(tr("%1: 列 %2 がありません。").arg(file, column));
    }
    return true;
}

// A whole number in `column`, GTFS's decimal form ("200.0") included when it
// has no fraction.
bool Feed::number(const CsvTable &table, qsizetype row, const QString &column, int &value)
{
    static const QRegularExpression form(QStringLiteral("^\\d{1,9}(\\.0*)?$"));
    const QString text = table.field(row, column);
    if (!form.match(text).hasMatch())
        return fail(table.fieldProblem(row, column, tr("「%1」は0以上の整数ではありません。").arg(text)));
    value = text.section(u'.', 0, 0).toInt();
    return true;
}

bool Feed::loadStops(FeedSource &source)
{
    CsvTable table;
    if (!readTable(source, QStringLiteral("stops.txt"), {kStopId, QStringLiteral("stop_name")}, table))
        return false;
    for (qsizetype row = 0; row < table.rowCount(); ++row) {
        const Stop stop{table.field(row, kStopId), table.field(row, QStringLiteral("stop_name")),
                        table.field(row, QStringLiteral("zone_id")), table.lineOf(row)};
        if (stops.contains(stop.id))
            return fail(table.fieldProblem(row, kStopId, tr("「%1」は2度目です。").arg(stop.id)));
        stops.insert(stop.id, stop);
    }
    return true;
}

bool Feed::loadRoutes(FeedSource &source)
{
    CsvTable table;
    if (!readTable(source, QStringLiteral("routes.txt"), {kRouteId}, table))
        return false;
    for (qsizetype row = 0; row < table.rowCount(); ++row) {
        routes.append({table.field(row, kRouteId), table.field(row, QStringLiteral("route_short_name")),
                       table.field(row, QStringLiteral("route_long_name"))});
    }
    return true;
}

bool Feed::loadTrips(FeedSource &source)
{
    CsvTable table;
    if (!readTable(source, QStringLiteral("trips.txt"), {kRouteId, kTripId}, table))
        return false;
    const QString directionId = QStringLiteral("direction_id");
    for (qsizetype row = 0; row < table.rowCount(); ++row) {
        Trip trip{table.field(row, kTripId), table.field(row, kRouteId), -1};
        if (!table.field(row, directionId).isEmpty() && !number(table, row, directionId, trip.direction))
            return false;
        trips.append(trip);
    }
    return true;
}

bool Feed::loadStopTimes(FeedSource &source)
{
    CsvTable table;
    const QString sequence = QStringLiteral("stop_sequence");
    if (!readTable(source, QStringLiteral("stop_times.txt"), {kTripId, kStopId, sequence}, table))
        return false;
    for (qsizetype row = 0; row < table.rowCount(); ++row) {
        StopTime time{table.field(row, kStopId), 0, table.lineOf(row)};
        if (!number(table, row, sequence, time.sequence))
            return false;
        if (!stops.contains(time.stopId))
            return fail(table.fieldProblem(row, kStopId,
                                           tr("停留所「%1」は stops.txt にありません。").arg(time.stopId)));
        stopTimes[table.field(row, kTripId)].append(time);
    }
    for (QList<StopTime> &times : stopTimes) {
        std::stable_sort(times.begin(), times.end(),
                         [](const StopTime &a, const StopTime &b) { return a.sequence < b.sequence; });
        const auto twice = std::adjacent_find(times.cbegin(), times.cend(), [](const auto &a, const auto &b) {
            return a.sequence == b.sequence;
        });
        if (twice != times.cend())
            return fail(tr("stop_times.txt %1行目 %2: %3 は同じ便で2度目です。")
                            .arg((twice + 1)->line)
                            .arg(sequence)
                            .arg(twice->sequence));
    }
    return true;
}

bool Feed::loadFares(FeedSource &source)
{
    CsvTable table;
    if (!readTable(source, QStringLiteral("fare_attributes.txt"), {kFareId, QStringLiteral("price")}, table,
                   false))
        return false;
    for (qsizetype row = 0; row < table.rowCount(); ++row) {
        int price = 0;
        if (!number(table, row, QStringLiteral("price"), price))
            return false;
        prices.insert(table.field(row, kFareId), price);
    }
    CsvTable rules;
    if (!readTable(source, QStringLiteral("fare_rules.txt"), {kFareId}, rules, false))
        return false;
    for (qsizetype row = 0; row < rules.rowCount(); ++row) {
        const FareRule rule{rules.field(row, kFareId), rules.field(row, kRouteId),
                            rules.field(row, QStringLiteral("origin_id")),
                            rules.field(row, QStringLiteral("destination_id")),
                            rules.field(row, QStringLiteral("contains_id"))};
        if (!prices.contains(rule.fareId))
            return fail(rules.fieldProblem(
                row, kFareId, tr("「%1」は fare_attributes.txt にありません。").arg(rule.fareId)));
        fareRules.append(rule);
    }
    return true;
}

// Both forms GTFS-JP has used: GTFS's own (table_name, field_name, language,
// record_id or field_value) and the older (trans_id, lang), keyed by the name.
bool Feed::loadTranslations(FeedSource &source)
{
    CsvTable table;
    if (!readTable(source, QStringLiteral("translations.txt"), {QStringLiteral("translation")}, table, false))
        return false;
    const bool older = table.hasColumn(QStringLiteral("trans_id"));
    for (qsizetype row = 0; row < table.rowCount(); ++row) {
        const QString text = table.field(row, QStringLiteral("translation"));
        if (older) {
            if (table.field(row, QStringLiteral("lang")) == kReading)
                readingsByName.insert(table.field(row, QStringLiteral("trans_id")), text);
            continue;
        }
        if (table.field(row, QStringLiteral("language")) != kReading
            || table.field(row, QStringLiteral("table_name")) != u"stops"
            || table.field(row, QStringLiteral("field_name")) != u"stop_name")
            continue;
        const QString id = table.field(row, QStringLiteral("record_id"));
        if (!id.isEmpty())
            readingsById.insert(id, text);
        else
            readingsByName.insert(table.field(row, QStringLiteral("field_value")), text);
    }
    return true;
}

} // namespace lumina::gtfs
