// Announcement files come from users and from old programs: any bytes must
// give entries or a failure, never a crash, and a good file must read back
// the same after being written out again.

#include "base/CodePage.h"
#include "sound/TapeFile.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

using namespace lumina;

namespace {

QString quoted(const QString &text)
{
    QString out = text;
    out.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + out + u'"';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);

    TapeFileReader reader;
    QList<TapeEntry> entries;
    const bool ok = reader.read(&buffer, entries);
    if (ok != reader.errorString().isEmpty() || entries.size() > reader.lineCount())
        std::abort();
    if (ok && entries.size() != reader.lineCount())
        std::abort();
    if (!ok)
        return 0;

    // Written again with every text quoted, the file reads back the same
    // texts, as far as they survive code page 932 and have no line breaks.
    QString text;
    for (const TapeEntry &entry : entries) {
        const QString line = entry.text;
        if (!cp932::canEncode(line) || line.contains(u'\uFFFD'))
            return 0;
        text += quoted(line) + QStringLiteral(",%1,%2\r\n").arg(entry.EntryStepFlag).arg(entry.EntrySoundFlag);
    }
    QByteArray again = cp932::encode(text);
    QBuffer second(&again);
    second.open(QIODevice::ReadOnly);
    QList<TapeEntry> reread;
    if (!reader.read(&second, reread) || reread != entries)
        std::abort();
    return 0;
}
