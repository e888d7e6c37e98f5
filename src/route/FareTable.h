#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <vector>

namespace lumina {

// One stop of a route as the fare data file holds it.
struct FareRecord {
    static constexpr int kValueCount = 150;

    QString stopName;
    qint16 ticketNumber = 0;
    // values[0] is number 1. Numbers 1..60 are the fares for ticket numbers
    // 1..60; -1 marks a ticket number that has no fare here.
    std::array<qint16, kValueCount> values{};

    // Number `column` (1-based); 0 outside 1..150 so that a bad option choice
    // never reads past the record.
    qint16 value(int column) const
    {
        return column >= 1 && column <= kValueCount ? values[size_t(column - 1)] : qint16(0);
    }

    friend bool operator==(const FareRecord &, const FareRecord &) = default;
};

// The stops of the loaded route, entries 1..301.
class FareTable
{
public:
    static constexpr int kEntryCount = 301;

    FareTable() : m_entries(kEntryCount) {}

    static constexpr bool contains(int stop) { return stop >= 1 && stop <= kEntryCount; }

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
    QString routeNumber;
    // 1..300 once a route is set: the 1-based record at which it was started.
    qint16 startSection = 0;
    qint16 stopCount = 0;
    // 0-based; the stop shown is record currentStop + 1.
    qint16 currentStop = 0;
    // Ticket date fixed when the route was set.
    QString ticketDate;
    FareTable fares;

    friend bool operator==(const RouteState &, const RouteState &) = default;
};

// The process-wide route, empty at start-up.
RouteState &routeState();

} // namespace lumina
