#pragma once

#include "route/FareTable.h"

#include <QDate>
#include <QString>

#include <array>

class QWidget;

namespace lumina {

// The fixed messages of route setting.
QString noRouteDataMessage();   // the file is missing
// That message with the file looked for and where its folder is set.
QString missingRouteMessage(const QString &path);
QString emptyRouteMessage();    // the file counts no stops
QString sectionTooLargeMessage();


// The numeric value of a keyed digit text: leading zeros and blanks do not
// count, reading stops at the first character that is no digit, "" is 0.
// Saturates instead of overflowing.
int entryNumber(QStringView text);

// The route number as a plain decimal number, leading zeros dropped; "0" for
// an empty entry. It names the route's files.
QString routeKey(QStringView routeNumber);

// The section at which a route starts: 0 becomes 1, above 300 becomes 300.
qint16 clampSection(int section);

// What the operator entered for a route setting.
struct RouteEntry {
    QString routeNumber; // as entered
    int section = 0; // numeric value, not yet clamped
};

// From the keypad displays: the route caption and the section caption.
RouteEntry entryFromKeypad(const QString &routeCaption, const QString &sectionCaption);
// From the digit lists: the selected item index of each route list (5) and
// section list (3), left to right. The items are "0" to "9", so an index is its
// digit; -1 (nothing selected) adds nothing.
RouteEntry entryFromLists(const std::array<int, 5> &routeDigits,
                          const std::array<int, 3> &sectionDigits);

// <fare folder> + route key + ".hy3".
QString fareFilePath(const QString &fareFolder, QStringView routeNumber);

// A route read from its file and checked, not yet in force.
struct RouteLoad {
    enum class Status {
        Loaded,
        FileMissing,     // missingRouteMessage()
        NoData,          // emptyRouteMessage()
        SectionTooLarge, // sectionTooLargeMessage()
        Failed,          // anything else: the message says what
    };

    Status status = Status::Failed;
    // What the operator is told; empty when loaded.
    QString message;
    QString path;
    QString routeNumber;
    qint16 startSection = 0;
    // The count the file announced (0 when it could not be read).
    qint16 stopCount = 0;
    // Entries 1..stopCount filled, the rest empty. Only filled when loaded.
    FareTable table;

    bool loaded() const { return status == Status::Loaded; }
};

// Reads and checks the route's fare data file. Touches no program state.
RouteLoad loadRoute(const QString &fareFolder, const RouteEntry &entry);
// The same for a fare data file named by its path.
RouteLoad loadRouteFile(const QString &path, const RouteEntry &entry);

// Puts a loaded route in force: the table is swapped in whole, the stop
// shown becomes the starting section.
void applyRoute(RouteState &state, RouteLoad &&load);

// Route setting as far as it concerns the data: loads the route and, when it
// passed every check, puts it in force. Otherwise shows the message (OK only,
// no icon, the application's title) and leaves `state` exactly as it was, so
// the previous route stays wholly in force. Returns whether the route was set.
bool setRoute(RouteState &state, const QString &fareFolder, const RouteEntry &entry,
              QWidget *owner = nullptr);

// Dates as the ticket printing wants them: month-day-year with hyphens
// (12-31-2009), and the time as hours:minutes:seconds (08:05:00).
QString ticketDate(const QDate &date);
QString ticketTime(const QTime &time);

// The ticket date kept at route setting: today's date for the date modes 0
// and 1, the fixed date text otherwise.
QString ticketDateAtSetting(int dateMode, const QDate &today, const QString &fixedDate);

} // namespace lumina
