#include "sound/TapeFile.h"

#include "base/CodePage.h"
#include "base/DeviceRead.h"

#include <QIODevice>

#include <algorithm>
#include <limits>

namespace lumina {

namespace {

constexpr int kFieldsPerLine = 3;

bool isBlank(QChar ch)
{
    return ch == u' ' || ch == u'\t';
}

qint16 flagValue(const QString &field)
{
    bool ok; // the conversion always sets it
    const int value = field.toInt(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        return 0;
    return qint16(value);
}

// Splits decoded text at CR LF, LF or CR. A final line end adds no line.
QList<QStringView> lines(QStringView text)
{
    QList<QStringView> result;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar ch = text[i];
        if (ch != u'\r' && ch != u'\n')
            continue;
        result.append(text.sliced(start, i - start));
        if (ch == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        result.append(text.sliced(start));
    return result;
}

} // namespace

QStringList TapeFileReader::splitLine(QStringView line)
{
    QStringList fields;
    qsizetype i = 0;
    const qsizetype size = line.size();
    while (true) {
        while (i < size && isBlank(line[i]))
            ++i;
        QString field;
        if (i < size && line[i] == u'"') {
            // Quoted: runs to the closing quote; a quote that is never closed
            // takes the rest of the line. Anything between the closing quote
            // and the next comma is dropped.
            ++i;
            while (i < size) {
                if (line[i] == u'"') {
                    if (i + 1 < size && line[i + 1] == u'"') {
                        field += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            while (i < size && line[i] != u',')
                ++i;
        } else {
            const qsizetype start = i;
            while (i < size && line[i] != u',')
                ++i;
            field = line.sliced(start, i - start).toString();
            while (!field.isEmpty() && isBlank(field.back()))
                field.chop(1);
        }
        fields.append(field);
        if (i >= size)
            break;
        ++i; // the comma
    }
    return fields;
}

bool TapeFileReader::read(QIODevice *device, QList<TapeEntry> &entries)
{
    entries.clear();
    m_lineCount = 0;
    m_errorString.clear();

    if (!device || !device->isReadable()) {
        m_errorString = QStringLiteral("The announcement file is not open for reading.");
        return false;
    }

    QByteArray bytes;
    const ReadStatus status = readWhole(device, bytes, kMaxFileSize);
    if (status == ReadStatus::TooLarge) {
        m_errorString = QStringLiteral("The announcement file is larger than %1 bytes.").arg(kMaxFileSize);
        return false;
    }
    if (status == ReadStatus::Failed) {
        // Only the lines that arrived whole are used.
        const qsizetype lastEnd = std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
        bytes.truncate(lastEnd + 1);
    }

    const QString text = cp932::decode(bytes);
    const QList<QStringView> all = lines(text);
    m_lineCount = all.size();
    entries.reserve(all.size());
    for (qsizetype n = 0; n < all.size(); ++n) {
        const QStringList fields = splitLine(all[n]);
        if (fields.size() > kFieldsPerLine) {
            m_errorString = QStringLiteral("Line %1 of the announcement file has %2 fields; an entry has %3.")
                                .arg(n + 1)
                                .arg(fields.size())
                                .arg(kFieldsPerLine);
            return false;
        }
        TapeEntry entry;
        entry.text = fields.value(0);
        entry.stepFlag = flagValue(fields.value(1));
        entry.soundFlag = flagValue(fields.value(2));
        entries.append(entry);
    }
    if (status == ReadStatus::Failed) {
        m_errorString = QStringLiteral("The announcement file could not be read to its end: %1")
                            .arg(device->errorString());
        return false;
    }
    return true;
}

QByteArray tapeFileBytes(const QList<TapeEntry> &entries)
{
    QString text;
    for (const TapeEntry &entry : entries) {
        QString field = entry.text;
        if (field.contains(u',') || field.contains(u'"'))
            field = u'"' + field.replace(u'"', QStringLiteral("\"\"")) + u'"';
        text += QStringLiteral("%1,%2,%3\r\n").arg(field).arg(entry.stepFlag).arg(entry.soundFlag);
    }
    return cp932::encode(text);
}

} // namespace lumina
