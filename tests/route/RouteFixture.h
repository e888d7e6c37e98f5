#pragma once

#include "FixtureRows.h"
#include "route/FareFile.h"

#include <QFile>

namespace lumina::test {

inline QByteArray le16(int v)
{
    return QByteArray(1, char(v & 0xFF)) + char((v >> 8) & 0xFF);
}

// Stop s of `count`: name "<name>s", ticket s, value t = 100 s + t.
inline std::vector<FareRecord> route(int count, const QString &name = QStringLiteral("停留所"))
{
    std::vector<FareRecord> records(size_t(std::max(count, 0)));
    for (int s = 1; s <= count; ++s) {
        FareRecord &r = records[size_t(s - 1)];
        r.StopName = name + QString::number(s);
        r.TicketNo = qint16(s);
        for (int t = 1; t <= FareRecord::ValueCount; ++t)
            r.Values[size_t(t - 1)] = qint16(100 * s + t);
    }
    return records;
}

} // namespace lumina::test
