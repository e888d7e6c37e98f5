#pragma once

#include <QString>
#include <QVariant>
#include <QtGlobal>

#include <array>
#include <vector>

namespace lumina {

// One stop of a route as the fare data file holds it.
struct FareRecord {
    static constexpr int ValueCount = 150;

    QString StopName;
    qint16 TicketNo = 0;
    // Values[0] is number 1. Numbers 1..60 are the fares for ticket numbers
    // 1..60; -1 marks a ticket number that has no fare here.
    std::array<qint16, ValueCount> Values{};

    // Number `column` (1-based); 0 outside 1..150 so that a bad option choice
    // never reads past the record.
    qint16 value(int column) const
    {
        return column >= 1 && column <= ValueCount ? Values[size_t(column - 1)] : qint16(0);
    }

    friend bool operator==(const FareRecord &, const FareRecord &) = default;
};

// The stops of the loaded route, entries 1..301.
class FareTable
{
public:
    static constexpr int Size = 301;
    // Field numbers of StoreFareField.
    static constexpr int NameField = 1;
    static constexpr int TicketField = 2;
    static constexpr int FirstValueField = 3;
    static constexpr int LastValueField = FirstValueField + FareRecord::ValueCount - 1;

    FareTable() : m_entries(Size) {}

    static constexpr bool contains(int stop) { return stop >= 1 && stop <= Size; }

    // Entry `stop`, 1..301. Callers check contains() first when the number
    // comes from outside.
    const FareRecord &entry(int stop) const
    {
        Q_ASSERT(contains(stop));
        return m_entries[size_t(stop - 1)];
    }
    FareRecord &entry(int stop)
    {
        Q_ASSERT(contains(stop));
        return m_entries[size_t(stop - 1)];
    }

    // Every entry back to an empty name, ticket number 0 and values 0.
    void clear();

    // Stores one field of entry `stop`: field 1 the name, 2 the ticket number,
    // 3..152 Values(field - 2). A stop outside 1..301 or a field outside 1..152
    // changes nothing and returns false.
    bool store(int stop, int field, const QVariant &value);

    // Clears the table, then puts `records` into entries 1..n. Records past
    // 301 are not taken; returns how many were.
    int assign(std::vector<FareRecord> records);

    void swap(FareTable &other) noexcept { m_entries.swap(other.m_entries); }

    friend bool operator==(const FareTable &, const FareTable &) = default;

private:
    std::vector<FareRecord> m_entries;
};

// The route in force: what the operator set and where the bus is.
struct RouteState {
    // As entered, leading zeros kept.
    QString RouteNo;
    // 1..300 once a route is set: the 1-based record at which it was started.
    qint16 StartSection = 0;
    qint16 StopCount = 0;
    // 0-based; the stop shown is record CurStop + 1.
    qint16 CurStop = 0;
    // Ticket date fixed when the route was set.
    QString RouteDate;
    lumina::FareTable FareTable;

    friend bool operator==(const RouteState &, const RouteState &) = default;
};

// The process-wide route, empty at start-up.
RouteState &routeState();

// The two table operations on the process-wide route.
void ClearFareTable();
bool StoreFareField(int stop, int field, const QVariant &value);

} // namespace lumina
