#include "route/FareTable.h"

namespace lumina {

void FareTable::clear()
{
    for (FareRecord &record : m_entries)
        record = FareRecord();
}

bool FareTable::store(int stop, int field, const QVariant &value)
{
    if (!contains(stop) || field < NameField || field > LastValueField)
        return false;
    FareRecord &record = entry(stop);
    if (field == NameField)
        record.StopName = value.toString();
    else if (field == TicketField)
        record.TicketNo = qint16(value.toInt());
    else
        record.Values[size_t(field - FirstValueField)] = qint16(value.toInt());
    return true;
}

int FareTable::assign(std::vector<FareRecord> records)
{
    const size_t count = std::min<size_t>(records.size(), Size);
    // Entries past the records come out empty, as after clear().
    records.resize(Size);
    m_entries.swap(records);
    return int(count);
}

RouteState &routeState()
{
    static RouteState state;
    return state;
}

void ClearFareTable()
{
    routeState().FareTable.clear();
}

bool StoreFareField(int stop, int field, const QVariant &value)
{
    return routeState().FareTable.store(stop, field, value);
}

} // namespace lumina
