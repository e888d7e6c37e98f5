#pragma once

#include "FailingDevice.h"
#include "FixtureRows.h"
#include "route/FareFile.h"

namespace lumina::test {

// Stop s of `count`: name "<name>s", ticket s, value t = 100 s + t.
inline std::vector<FareRecord> route(int count, const QString &name = QStringLiteral("停留所"))
{
    std::vector<FareRecord> records(size_t(std::max(count, 0)));
    for (int s = 1; s <= count; ++s) {
        FareRecord &r = records[size_t(s - 1)];
        r.stopName = name + QString::number(s);
        r.ticketNumber = qint16(s);
        for (int t = 1; t <= FareRecord::kValueCount; ++t)
            r.values[size_t(t - 1)] = qint16(100 * s + t);
    }
    return records;
}

// A fare file put together from a table's parts, split by spaces: "count:N" (N in
// two little-endian bytes), "stop" (the one stop of route(1), without its count),
// "stop:K" (its first K bytes), "four" (the whole file of route(4)), "hex:…", or text.
inline QByteArray fareBytes(const QString &parts)
{
    const QByteArray stop = FareFileWriter().toBytes(route(1)).mid(2);
    QByteArray bytes;
    for (const QString &part : parts.split(u' ', Qt::SkipEmptyParts)) {
        const QString arg = part.section(u':', 1);
        if (part.startsWith(u"count:"))
            bytes += QByteArray(1, char(arg.toInt() & 0xFF)) + char((arg.toInt() >> 8) & 0xFF);
        else if (part.startsWith(u"stop"))
            bytes += arg.isEmpty() ? stop : stop.left(arg.toInt());
        else if (part == u"four")
            bytes += FareFileWriter().toBytes(route(4));
        else if (part.startsWith(u"hex:"))
            bytes += QByteArray::fromHex(arg.toLatin1());
        else
            bytes += part.toUtf8();
    }
    return bytes;
}

} // namespace lumina::test
