#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>

namespace lumina::gtfs {

class CsvTable;
class FeedSource;

struct Stop {
    QString id;
    QString name;
    QString zone;
    int line = 0; // in stops.txt, for messages
};

struct Route {
    QString id;
    QString shortName;
    QString longName;
};

struct Trip {
    QString id;
    QString routeId;
    int direction = -1; // -1 when the feed gives none
};

struct StopTime {
    QString stopId;
    int sequence = 0;
    int line = 0; // in stop_times.txt
};

// One line of fare_rules.txt; an empty field matches anything.
struct FareRule {
    QString fareId;
    QString routeId;
    QString originId;
    QString destinationId;
    QString containsId;
};

// The tables of a feed that fares and stop names come from, with the fields
// the import uses; every other table and column is left unread.
class Feed
{
    Q_DECLARE_TR_FUNCTIONS(Feed)

public:
    // Reads the tables. stops.txt, routes.txt, trips.txt and stop_times.txt
    // are needed; fare and translation tables may be missing (no fares, no
    // readings). A fault names the file, the line and the field.
    bool load(FeedSource &source);
    QString errorString() const { return m_errorString; }

    QHash<QString, Stop> stops;
    QList<Route> routes; // in the feed's order
    QList<Trip> trips;   // in the feed's order
    // Each trip's stops in stop_sequence order.
    QHash<QString, QList<StopTime>> stopTimes;
    QHash<QString, int> prices; // fare_id → price in yen
    QList<FareRule> fareRules;
    // Kana readings (ja-Hrkt) of stop names, by stop id and by the name itself.
    QHash<QString, QString> readingsById;
    QHash<QString, QString> readingsByName;

    // The reading of the stop's name, the name itself when the feed has none.
    QString readingOf(const Stop &stop) const;

private:
    bool readTable(FeedSource &source, const QString &file, const QStringList &columns, CsvTable &table,
                   bool needed = true);
    bool loadStops(FeedSource &source);
    bool loadRoutes(FeedSource &source);
    bool loadTrips(FeedSource &source);
    bool loadStopTimes(FeedSource &source);
    bool loadFares(FeedSource &source);
    bool loadTranslations(FeedSource &source);
    bool number(const CsvTable &table, qsizetype row, const QString &column, int &value);
    bool fail(const QString &text);

    QString m_errorString;
};

} // namespace lumina::gtfs
