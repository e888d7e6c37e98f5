#pragma once

#include "base/Geometry.h"

#include "route/FareTable.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <array>
#include <optional>

namespace lumina {

// The options the board update reads, as the dialogs hold them.
struct BoardOptions {
    // Control panel "深夜料金" (Check2).
    bool lateNight = false;
    // Options dialog Check3(0..4): stop position, ticket number, route number,
    // data column, and "0から数える" for the stop position.
    std::array<bool, 5> infoOn{};
    // Options dialog Combo4(0..4), selected indexes: the cell (index + 1) of
    // each of the four information numbers, then the data column (index + 1).
    std::array<int, 5> infoIndex{};
    // Options dialog date mode Option4: 0 today, 1 the route's date, 2 fixed.
    int dateMode = 0;
    // Options dialog Label10.
    QString fixedDate;
};

// Which information number goes where.
enum InfoNumber { InfoPosition = 0, InfoTicketNumber = 1, InfoRouteNumber = 2, InfoColumn = 3, InfoFromZero = 4 };
// The slot of BoardOptions::infoIndex that holds the data column.
constexpr size_t kDataColumnIndex = 4;

// What the board shows for one stop.
struct BoardView {
    // The Value for fare cell t at [t - 1]: a number, or the route number as
    // text. Cells without a value are left as they are.
    std::array<std::optional<QVariant>, kCellCount> cells;
    // For the ticket drawing.
    QString ticketDate;
    QString ticketTime;
};

// The fare as shown: doubled late at night, except -1 (no fare). The doubling
// is done in full width, so a fare above 16383 shows its true double.
int shownFare(qint16 fare, bool lateNight);

// The board for stop `n` (1-based entry of the route's table). The fares
// fill cells startSection..60; then the ticked information numbers overwrite
// their cells in the order position, ticket number, route number, column, so
// the later wins a shared cell. An `n` outside 1..301, a cell choice outside
// 1..60 or a column outside 1..150 writes nothing for it.
BoardView boardView(const RouteState &route, int n, const BoardOptions &options,
                    const QDateTime &now);

// The ticket date the drawing gets for a date mode.
QString ticketDateFor(int dateMode, const QDate &today, const QString &routeTicketDate,
                      const QString &fixedDate);

// The ticket-number labels for one of the twelve numbering styles.
struct TicketLabels {
    // Caption of label i at [i - 1].
    std::array<QString, kCellCount> captions;
    // Font and size of label 1, a number like the others unless the style
    // names it; the other labels keep the layout's.
    QString label1Font = QStringLiteral("M_NumP1");
    int label1PointSize = 15;
};

constexpr int kTicketStyleCount = 12;

// Labels for `style` (0..11); zero fill 1 writes single-digit numbers with a
// leading 0. Nothing for a style outside 0..11.
std::optional<TicketLabels> ticketLabels(int style, int zeroFill);

// The Combo2 item of a style: its pattern, a space and the last number shown;
// style 0 adds " （既定の表示）".
QString ticketStyleItem(int style);

// Every printable ASCII character to its full-width form (digits to ０..９).
QString toFullWidth(QStringView text);

// Stepping. `direction` 0 steps back, 1 forward. The new currentStop, or nothing
// when the step would leave the stops the route holds.
std::optional<qint16> stepTarget(qint16 currentStop, qint16 stopCount, int direction);

// Moves `route.currentStop` one stop; false (nothing changed) at either end.
bool stepRoute(RouteState &route, int direction);

// Which sound a step plays: the txtSelectSound index 7 (always), or 8, 9, 10
// for the value 1, 2, 3 in column `column` of the stop arrived at; -1 for none.
int stepSoundField(bool alwaysSame, const FareRecord &arrived, int column);

} // namespace lumina
