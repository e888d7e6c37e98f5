#include "gtfs/CsvTable.h"

#include "base/DeviceRead.h"

#include <QIODevice>
#include <QStringDecoder>

namespace lumina::gtfs {

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

// The 1-based line holding the first byte that is not UTF-8; only asked once
// the whole text was found wanting, so the cost of decoding again is no matter.
int firstBadLine(const QByteArray &bytes)
{
    int line = 1;
    for (const QByteArrayView piece : bytes.split('\n')) {
        QStringDecoder decoder(QStringDecoder::Utf8);
        // The decoding happens only when the result becomes a string.
        const QString text = decoder.decode(piece);
        if (decoder.hasError())
            return line;
        ++line;
    }
    return line;
}

} // namespace

bool CsvTable::read(QIODevice *device, const QString &name)
{
    *this = CsvTable();
    m_name = name;
    QByteArray bytes;
    if (readWhole(device, bytes) != ReadStatus::Whole)
        return fail(0, tr("最後まで読めません: %1").arg(device->errorString()));
    if (bytes.startsWith(kByteOrderMark))
        bytes.remove(0, kByteOrderMark.size());
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return fail(firstBadLine(bytes), tr("UTF-8 ではない文字があります。"));
    return parse(text);
}

QString CsvTable::field(qsizetype row, const QString &column) const
{
    const auto at = m_columns.constFind(column);
    if (at == m_columns.cend())
        return QString();
    return m_rows[size_t(row)].value(*at).trimmed();
}

QString CsvTable::fieldProblem(qsizetype row, const QString &column, const QString &text) const
{
    return tr("%1 %2行目 %3: %4").arg(m_name).arg(lineOf(row)).arg(column, text);
}

bool CsvTable::fail(int line, const QString &text)
{
    m_errorString = line > 0 ? tr("%1 %2行目: %3").arg(m_name).arg(line).arg(text)
                             : tr("%1: %2").arg(m_name, text);
    m_rows.clear();
    m_lines.clear();
    return false;
}

// One pass over the text. A quote opens a quoted field only at the start of a
// field; after its closing quote only a comma or a line end may follow.
bool CsvTable::parse(QStringView text)
{
    QStringList fields;
    QString field;
    bool inQuotes = false;
    bool quoted = false;
    int line = 1;
    int rowLine = 1;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar ch = text[i];
        const bool lineEnd = ch == u'\n' || ch == u'\r';
        if (lineEnd && ch == u'\r' && i + 1 < size && text[i + 1] == u'\n') {
            if (inQuotes)
                field += ch;
            ++i;
        }
        if (inQuotes) {
            if (ch == u'"' && i + 1 < size && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (ch == u'"') {
                inQuotes = false;
            } else {
                field += lineEnd ? text[i] : ch;
                line += lineEnd ? 1 : 0;
            }
        } else if (ch == u'"' && field.isEmpty() && !quoted) {
            inQuotes = quoted = true;
        } else if (ch == u',' || lineEnd) {
            fields.append(std::exchange(field, QString()));
            quoted = false;
            if (lineEnd) {
                if (!endRow(fields, rowLine))
                    return false;
                rowLine = ++line;
            }
        } else if (quoted) {
            return fail(line, tr("閉じた引用符のあとに「%1」があります。").arg(ch));
        } else {
            field += ch;
        }
    }
    if (inQuotes)
        return fail(rowLine, tr("引用符が閉じていません。"));
    fields.append(field);
    return endRow(fields, rowLine);
}

bool CsvTable::endRow(QStringList &fields, int line)
{
    const QStringList row = std::exchange(fields, QStringList());
    if (row.size() == 1 && row.first().trimmed().isEmpty())
        return true;
    if (m_header.isEmpty()) {
        for (const QString &column : row) {
            m_header.append(column.trimmed());
            if (!m_columns.contains(m_header.constLast()))
                m_columns.insert(m_header.constLast(), m_header.size() - 1);
        }
        return true;
    }
    if (row.size() > m_header.size())
        return fail(line, tr("見出しの%1列より多い%2列があります。").arg(m_header.size()).arg(row.size()));
    m_rows.push_back(row);
    m_lines.push_back(line);
    return true;
}

} // namespace lumina::gtfs
