// Any feed gives fare records or a refusal, never a crash. The input is a zip
// ("PK" first) or, to reach the tables past zip's checksums, "@name" lines each
// followed by a table, zipped here. Records accepted are ones the fare file
// writer takes, with no fare for a ticket not yet issued, and the
// announcements read back the same.
#include "../support/FailingDevice.h"
#include "gtfs/FareImport.h"
#include "gtfs/Feed.h"
#include "gtfs/FeedSource.h"
#include "route/FareFile.h"

#include <zip.h>

#include <cstdint>
#include <cstdlib>

using namespace lumina;
using namespace lumina::gtfs;

namespace {

QByteArray zipped(const QByteArray &tables)
{
    zip_source_t *buffer = zip_source_buffer_create(nullptr, 0, 0, nullptr);
    zip_t *archive = zip_open_from_source(buffer, ZIP_TRUNCATE, nullptr);
    if (!archive)
        std::abort();
    zip_source_keep(buffer);
    const QList<QByteArray> pieces = tables.split('@'); // read by the zip only when it is closed
    for (const QByteArray &table : pieces) {
        const qsizetype end = table.indexOf('\n');
        const QByteArrayView text = QByteArrayView(table).sliced(end + 1);
        zip_source_t *data = zip_source_buffer(archive, text.data(), zip_uint64_t(text.size()), 0);
        if (end < 0 || zip_file_add(archive, table.left(end).constData(), data, ZIP_FL_OVERWRITE) < 0)
            zip_source_free(data);
    }
    if (zip_close(archive) != 0)
        zip_discard(archive);
    QByteArray bytes;
    zip_stat_t stat;
    if (zip_source_stat(buffer, &stat) == 0 && zip_source_open(buffer) == 0) {
        bytes.resize(qsizetype(stat.size));
        bytes.resize(qsizetype(std::max<zip_int64_t>(0, zip_source_read(buffer, bytes.data(), stat.size))));
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    return bytes;
}

void checkImport(const Feed &feed, const QString &routeId)
{
    const ImportResult result = FareImport::run(feed, {routeId, QString(), 0, false, true});
    if (!result.problems.isEmpty())
        return;
    const size_t count = result.records.size();
    if (count < 2 || count > size_t(FareImport::kMaxStops) || result.tape.size() != qsizetype(count)
        || FareFileWriter().toBytes(result.records).isEmpty())
        std::abort();
    for (size_t s = 0; s < count; ++s) {
        for (size_t t = s + 1; t < FareRecord::kValueCount; ++t)
            if (result.records[s].values[t] != FareImport::kDark)
                std::abort();
    }
    test::ReadBuffer buffer(tapeFileBytes(result.tape));
    QList<TapeEntry> reread;
    if (!TapeFileReader().read(&buffer, reread) || reread != result.tape)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray zip = bytes.startsWith("PK") ? bytes : zipped(bytes);
    FeedSource source;
    source.setLimit(1024 * 1024);
    Feed feed;
    if (!source.openZip(zip) || !feed.load(source))
        return 0;
    for (const Route &route : feed.routes.mid(0, 3))
        checkImport(feed, route.id);
    return 0;
}
