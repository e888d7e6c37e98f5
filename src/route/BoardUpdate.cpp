#include "route/BoardUpdate.h"
#include "base/Geometry.h"

#include "route/RouteSetting.h"

#include <QCoreApplication>

namespace lumina {

int shownFare(qint16 fare, bool lateNight)
{
    if (!lateNight || fare == -1)
        return fare;
    return 2 * int(fare);
}

QString ticketDateFor(int dateMode, const QDate &today, const QString &routeTicketDate,
                      const QString &fixedDate)
{
    switch (dateMode) {
    case 1: return routeTicketDate;
    case 2: return fixedDate;
    default: return ticketDate(today);
    }
}

BoardView boardView(const RouteState &route, int n, const BoardOptions &options,
                    const QDateTime &now)
{
    BoardView view;
    view.ticketDate = ticketDateFor(options.dateMode, now.date(), route.ticketDate,
                                    options.fixedDate);
    view.ticketTime = ticketTime(now.time());
    if (!FareTable::contains(n))
        return view;
    const FareRecord &stop = route.fares.entry(n);

    for (int t = std::max<int>(route.startSection, 1); t <= kCellCount; ++t)
        view.cells[size_t(t - 1)] = shownFare(stop.value(t), options.lateNight);

    auto put = [&](InfoNumber which, const QVariant &value) {
        const int cell = options.infoIndex[which] + 1;
        if (options.infoOn[which] && cell >= 1 && cell <= kCellCount)
            view.cells[size_t(cell - 1)] = value;
    };
    put(InfoPosition, options.infoOn[InfoFromZero] ? n - 1 : n);
    put(InfoTicketNumber, int(stop.ticketNumber));
    put(InfoRouteNumber, route.routeNumber);
    const int column = options.infoIndex[kDataColumnIndex] + 1;
    if (column >= 1 && column <= FareRecord::kValueCount)
        put(InfoColumn, int(stop.value(column)));
    return view;
}

QString toFullWidth(QStringView text)
{
    QString wide = text.toString();
    for (QChar &ch : wide) {
        if (ch == u' ')
            ch = QChar(0x3000);
        else if (ch.unicode() >= 0x21 && ch.unicode() <= 0x7E)
            ch = QChar(ch.unicode() + 0xFEE0);
    }
    return wide;
}

namespace {

struct StyleRow {
    const char16_t *pattern;
    int last;
    const char16_t *label1; // nullptr: label 1 carries a number
};

constexpr std::array<StyleRow, kTicketStyleCount> kStyles{{
    {u"1,2,3...", 60, nullptr},
    {u"0,1,2...", 59, nullptr},
    {u"「なし」、1,2...", 59, u"な し"},
    {u"「なし」、2,3...", 60, u"な し"},
    {u"「無券」、1,2...", 59, u"無 券"},
    {u"「無券」、2,3...", 60, u"無 券"},
    {u"「券なし」、1,2...", 59, u"券なし"},
    {u"「券なし」、2,3...", 60, u"券なし"},
    {u"「券無し」、1,2...", 59, u"券無し"},
    {u"「券無し」、2,3...", 60, u"券無し"},
    {u"(無地)、1,2...", 59, u""},
    {u"(無地)、2,3...", 60, u""},
}};

QString numberCaption(int number, bool zeroFill)
{
    const QString digits = zeroFill ? QStringLiteral("%1").arg(number, 2, 10, QChar(u'0'))
                                    : QString::number(number);
    return toFullWidth(digits);
}

} // namespace

std::optional<TicketLabels> ticketLabels(int style, int zeroFill)
{
    if (style < 0 || style >= kTicketStyleCount)
        return std::nullopt;
    const StyleRow &row = kStyles[size_t(style)];
    const bool fill = zeroFill == 1;
    TicketLabels labels;
    int firstLabel = 1;
    if (row.label1) {
        labels.label1Font = QStringLiteral("ＭＳ Ｐゴシック");
        labels.label1PointSize = 13;
        labels.captions[0] = QString::fromUtf16(row.label1);
        firstLabel = 2;
    }
    // The last label always shows the style's last number.
    const int offset = row.last - kCellCount;
    for (int i = firstLabel; i <= kCellCount; ++i)
        labels.captions[size_t(i - 1)] = numberCaption(i + offset, fill);
    return labels;
}

QString ticketStyleItem(int style)
{
    if (style < 0 || style >= kTicketStyleCount)
        return {};
    const StyleRow &row = kStyles[size_t(style)];
    const QString pattern = QString::fromUtf16(row.pattern);
    if (style == 0)
        return QCoreApplication::translate("lumina::BoardUpdate", "%1 %2 （既定の表示）").arg(pattern).arg(row.last);
    return QStringLiteral("%1 %2").arg(pattern).arg(row.last);
}

std::optional<qint16> stepTarget(qint16 currentStop, qint16 stopCount, int direction)
{
    const int held = std::min<int>(stopCount, FareTable::kEntryCount);
    int target = currentStop;
    if (direction == 0)
        target = currentStop - 1;
    else if (direction == 1)
        target = currentStop + 1;
    else
        return std::nullopt;
    if (target < 0 || target >= held)
        return std::nullopt;
    return qint16(target);
}

bool stepRoute(RouteState &route, int direction)
{
    const auto target = stepTarget(route.currentStop, route.stopCount, direction);
    if (!target)
        return false;
    route.currentStop = *target;
    return true;
}

int stepSoundField(bool alwaysSame, const FareRecord &arrived, int column)
{
    if (alwaysSame)
        return 7;
    const qint16 v = arrived.value(column);
    return v >= 1 && v <= 3 ? 7 + v : -1;
}

} // namespace lumina
