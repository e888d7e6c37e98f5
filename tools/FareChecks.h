#pragma once

// What the program would refuse in a route, found before it is keyed: shared
// by `build` (which writes nothing then) and `check`.

#include "route/FareTable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace lumina::fare {

struct RouteCheck {
    std::vector<FareRecord> records;
    QStringList problems; // each names its line (CSV) or record (.hy3)
};

// A fare CSV (UTF-8) read and checked.
RouteCheck checkFareCsv(const QByteArray &bytes);
// A fare data file read and checked.
RouteCheck checkFareFile(const QByteArray &bytes);
// "5 stops, 中央駅前 → 星見台営業所, ticket numbers up to 5"
QString routeSummary(const std::vector<FareRecord> &records);

} // namespace lumina::fare
