// Fare files and their text form come from users and old programs: any bytes
// give a route or a message, never a crash.

#include "../support/FailingDevice.h"
#include "route/BoardUpdate.h"
#include "route/FareCsv.h"
#include "route/FareFile.h"

#include <QDateTime>

#include <cstdint>
#include <cstdlib>

using namespace lumina;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    test::ReadBuffer buffer(bytes);
    FareFileReader reader;
    std::vector<FareRecord> records;
    const bool ok = reader.read(&buffer, records);
    if (ok == reader.hasError())
        std::abort();
    if (ok) {
        // What was read is a route that fits the table and can be shown.
        if (int(records.size()) != reader.recordCount() || records.size() > size_t(FareTable::kEntryCount))
            std::abort();
        RouteState route;
        route.stopCount = reader.recordCount();
        route.startSection = 1;
        route.fares.assign(records);
        BoardOptions options;
        options.lateNight = true;
        options.infoOn = {true, true, true, true, false};
        options.infoIndex = {0, 1, 2, 3, 149};
        for (int n = 1; n <= route.stopCount; ++n)
            boardView(route, n, options, QDateTime());
        // Written out again, it reads back as the same number of stops.
        const QByteArray again = FareFileWriter().toBytes(records);
        if (!again.isEmpty()) {
            test::ReadBuffer second(again);
            std::vector<FareRecord> reread;
            if (!reader.read(&second, reread) || reread.size() != records.size())
                std::abort();
        }
    } else if (!records.empty()) {
        std::abort();
    }
    FareCsvReader csv;
    std::vector<FareRecord> fromText;
    csv.read(QString::fromUtf8(bytes), fromText);
    return 0;
}
