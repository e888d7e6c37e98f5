#pragma once

#include "route/FareTable.h"
#include "sound/TapeFile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace lumina::gtfs {

class Feed;

// Which trip's stops become the route: the trip named, or else the route's
// trip with the most stops in the direction (trips without a direction serve
// either).
struct ImportChoice {
    QString routeId;
    QString tripId;
    int direction = 0;
    bool allowMissing = false; // a pair without a fare leaves its cell dark
    bool tape = false;         // also the announcement per stop
};

struct ImportResult {
    QString tripId;
    QString routeId;
    std::vector<FareRecord> records;
    QList<TapeEntry> tape;
    QStringList notes;    // told, not faults: stops past 60, fares left dark
    QStringList problems; // any of them and nothing is to be written
};

// A trip of a feed turned into fare records: record s is the trip's s-th stop,
// its ticket number s (none past 60), and its value t the fare from stop t to
// stop s, the cheapest of the fares whose rules match the route and the zones.
class FareImport
{
    Q_DECLARE_TR_FUNCTIONS(FareImport)

public:
    static constexpr int kMaxStops = FareTable::kEntryCount;
    static constexpr int kNumbered = 60;
    // The cell of a ticket that has no fare here: dark on the board. A new
    // record holds it in every cell.
    static constexpr qint16 kDark = 0;

    static ImportResult run(const Feed &feed, const ImportChoice &choice);
    // The trip `choice` names, "" (with `problem` set) when there is none.
    static QString chosenTrip(const Feed &feed, const ImportChoice &choice, QString *problem = nullptr);
    // The stop count of the route's longest trip in the direction, 0 for none.
    static int longestTripStops(const Feed &feed, const QString &routeId, int direction);
};

} // namespace lumina::gtfs
