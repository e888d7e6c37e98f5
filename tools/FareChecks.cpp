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
        problems << QStringLiteral("停留所が一つもありません。Lumina はこの系統を設定できません。");
    else if (countKnown && count < kFewestStops)
        problems << QStringLiteral("停留所が1つしかありません。系統を設定するには停留所が2つ以上要ります。");
    if (count > FareTable::kEntryCount) {
        problems << QStringLiteral("停留所が%1あります。扱えるのは%2までです。")
                        .arg(count)
                        .arg(FareTable::kEntryCount);
    }
    for (qsizetype i = 0; i < count; ++i) {
        const QString &name = records[size_t(i)].stopName;
        const QString bad = cp932::firstUnencodable(name);
        if (!bad.isEmpty()) {
            problems << QStringLiteral("%1: 停留所名「%2」の「%3」は"
                                       "Shift-JIS（コードページ932）で表せません。")
                            .arg(place(i), name, bad);
        } else if (cp932::byteLength(name) > 0xFFFF) {
            problems << QStringLiteral("%1: 停留所名が長すぎます（%2バイト、65535まで）。")
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
        check.problems << QStringLiteral("%1行目: UTF-8 として読めない文字があります"
                                         "（Shift-JIS のまま保存されていませんか）。")
                              .arg(line);
        return check;
    }
    FareCsvReader reader;
    reader.read(QString::fromUtf8(bytes), check.records);
    check.problems = reader.problems();
    const std::vector<int> &lines = reader.recordLines();
    check.problems += routeProblems(check.records, check.problems.isEmpty(), [&](qsizetype i) {
        return QStringLiteral("%1行目").arg(lines[size_t(i)]);
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
        return QStringLiteral("%1番目のデータ").arg(i + 1);
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
