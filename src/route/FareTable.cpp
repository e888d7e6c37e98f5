#include "route/FareTable.h"

namespace lumina {

int FareTable::assign(std::vector<FareRecord> records)
{
    const size_t count = std::min<size_t>(records.size(), kEntryCount);
    // Entries past the records come out empty.
    records.resize(kEntryCount);
    m_entries.swap(records);
    return int(count);
}

RouteState &routeState()
{
    static RouteState state;
    return state;
}

} // namespace lumina
