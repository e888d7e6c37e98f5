// Any announcement file gives entries or a failure, never a crash; a good one
// reads back the same when written out again with every text quoted.

#include "../support/FailingDevice.h"
#include "base/CodePage.h"
#include "sound/TapeFile.h"

#include <cstdint>
#include <cstdlib>

using namespace lumina;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    test::ReadBuffer buffer(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    TapeFileReader reader;
    QList<TapeEntry> entries;
    const bool ok = reader.read(&buffer, entries);
    if (ok != reader.errorString().isEmpty() || entries.size() > reader.lineCount()
        || (ok && entries.size() != reader.lineCount()))
        std::abort();
    QString text;
    for (const TapeEntry &entry : entries) {
        // Only texts that survive code page 932 come back the same.
        if (!ok || !cp932::canEncode(entry.text) || entry.text.contains(u'\uFFFD'))
            return 0;
        text += u'"' + QString(entry.text).replace(u'"', QStringLiteral("\"\"")) + u'"'
            + QStringLiteral(",%1,%2\r\n").arg(entry.stepFlag).arg(entry.soundFlag);
    }
    test::ReadBuffer second(cp932::encode(text));
    QList<TapeEntry> reread;
    if (ok && (!reader.read(&second, reread) || reread != entries))
        std::abort();
    return 0;
}
