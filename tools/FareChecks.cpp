#include "FareChecks.h"

#include "Command.h"

#include "base/CodePage.h"
#include "route/FareCsv.h"
#include "route/FareFile.h"

#include <QBuffer>
#include <QStringDecoder>

namespace lumina::fare {

namespace {

// The program sets a route at section 1 or later and needs the stop after
// it, so a route of fewer than two stops can never be keyed.
constexpr int kFewestStops = 2;

// Problems of the route as a whole and of each stop's name; `place(i)` names
// where record i is.
// `countKnown` is false when bad lines leave the number of stops in doubt (a
// quote left open swallows the rest): the count is told once they are mended.
template<typename Place>
QStringList routeProblems(const std::vector<FareRecord> &records, bool countKnown, Place place)
{
    QStringList problems;
    const qsizetype count = qsizetype(records.size());
    if (countKnown && count == 0)
        problems << Text::tr("no stops: Lumina cannot set this route.");
    else if (countKnown && count < kFewestStops)
        problems << Text::tr("only one stop: a route needs two or more.");
    if (count > FareTable::kEntryCount) {
        problems << Text::tr("%1 stops: at most %2 can be used.")
                        .arg(count)
                        .arg(FareTable::kEntryCount);
    }
    for (qsizetype i = 0; i < count; ++i) {
        const QString &name = records[size_t(i)].stopName;
        const QString bad = cp932::firstUnencodable(name);
        if (!bad.isEmpty()) {
            problems << Text::tr("%1: \"%3\" in the stop name \"%2\" has no form in Shift-JIS "
                                 "(code page 932).")
                            .arg(place(i), name, bad);
        } else if (cp932::byteLength(name) > 0xFFFF) {
            problems << Text::tr("%1: the stop name is too long (%2 bytes, at most 65535).")
                            .arg(place(i))
                            .arg(cp932::byteLength(name));
        }
    }
    return problems;
}

// The line of the first bytes that are no UTF-8, 0 when all are.
int firstBadUtf8Line(const QByteArray &bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QStringDecoder utf8(QStringConverter::Utf8);
        const QString text = utf8.decode(lines[n]);
        if (utf8.hasError())
            return int(n + 1);
    }
    return 0;
}

} // namespace

RouteCheck checkFareCsv(const QByteArray &bytes)
{
    RouteCheck check;
    if (const int line = firstBadUtf8Line(bytes)) {
        check.problems << Text::tr("line %1: bytes that are no UTF-8; was the file saved as Shift-JIS?")
                              .arg(line);
        return check;
    }
    FareCsvReader reader;
    reader.read(QString::fromUtf8(bytes), check.records);
    check.problems = reader.problems();
    const std::vector<int> &lines = reader.recordLines();
    check.problems += routeProblems(check.records, check.problems.isEmpty(), [&](qsizetype i) {
        return Text::tr("line %1").arg(lines[size_t(i)]);
    });
    return check;
}

RouteCheck checkFareFile(const QByteArray &bytes)
{
    RouteCheck check;
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    FareFileReader reader;
    if (!reader.read(&buffer, check.records)) {
        check.problems << reader.errorString();
        return check;
    }
    check.problems = routeProblems(check.records, true, [](qsizetype i) {
        return Text::tr("record %1").arg(i + 1);
    });
    return check;
}

QString routeSummary(const std::vector<FareRecord> &records)
{
    if (records.empty())
        return Text::tr("no stops");
    int highest = 0;
    for (const FareRecord &record : records)
        highest = std::max(highest, int(record.ticketNumber));
    return Text::tr("%1 stops, %2 → %3, ticket numbers up to %4")
        .arg(records.size())
        .arg(records.front().stopName, records.back().stopName)
        .arg(highest);
}

} // namespace lumina::fare
