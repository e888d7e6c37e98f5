#include "route/FareCsv.h"

#include <QCoreApplication>
#include <QStringList>

namespace lumina {

namespace {

QString csvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n')
        && !text.contains(u'\r') && !text.startsWith(u'#')) {
        return text;
    }
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

QString fareCsv(const std::vector<FareRecord> &records)
{
    QString out;
    out.reserve(qsizetype(records.size()) * 700);
    for (const FareRecord &record : records) {
        out += csvField(record.stopName);
        out += u',';
        out += QString::number(record.ticketNumber);
        for (qint16 v : record.values) {
            out += u',';
            out += QString::number(v);
        }
        out += u'\n';
    }
    return out;
}

namespace {

// Splits one record into its fields: up to the end of the line outside
// quotes. `i` moves past the line end and `line` counts the lines passed.
// False when a quote is left open.
bool splitRecord(QStringView text, qsizetype &i, int &line, QStringList &fields)
{
    const qsizetype n = text.size();
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    for (; i < n; ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (ch == u'\n')
                    ++line;
                field += ch;
            }
        } else if (ch == u'"' && field.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (ch == u',') {
            fields.append(field);
            field.clear();
            wasQuoted = false;
        } else if (ch == u'\n') {
            break;
        } else if (ch != u'\r') {
            field += ch;
        }
    }
    if (quoted)
        return false;
    fields.append(field);
    if (i < n) {
        ++i; // the line end
        ++line;
    }
    return true;
}

// The stop that the fields of line `line` describe; the message when they
// describe none.
QString toRecord(const QStringList &fields, int line, FareRecord &record)
{
    if (fields.size() < 2)
        return QCoreApplication::translate("lumina::FareCsv", "%1行目: 停留所名と整理券番号が必要です。").arg(line);
    if (fields.size() > 2 + FareRecord::kValueCount) {
        return QCoreApplication::translate("lumina::FareCsv", "%1行目: 値が%2個あります。一つの停留所に入れられる値は%3個までです。")
            .arg(line)
            .arg(fields.size() - 2)
            .arg(FareRecord::kValueCount);
    }
    record.stopName = fields[0];
    for (qsizetype f = 1; f < fields.size(); ++f) {
        const QString number = fields[f].trimmed();
        bool ok = true;
        const int value = number.isEmpty() ? 0 : number.toInt(&ok);
        if (!ok || value < -32768 || value > 32767) {
            return QCoreApplication::translate("lumina::FareCsv", "%1行目%2列目: 「%3」は-32768から32767までの整数ではありません。")
                .arg(line)
                .arg(f + 1)
                .arg(fields[f]);
        }
        if (f == 1)
            record.ticketNumber = qint16(value);
        else
            record.values[size_t(f - 2)] = qint16(value);
    }
    return {};
}

} // namespace

bool FareCsvReader::read(QStringView text, std::vector<FareRecord> &records)
{
    records.clear();
    m_problems.clear();
    m_lines.clear();
    if (text.startsWith(QChar(0xFEFF)))
        text = text.sliced(1);

    std::vector<FareRecord> out;
    qsizetype i = 0;
    int line = 1;
    const qsizetype n = text.size();
    while (i < n) {
        const int firstLine = line;
        // Skip comments and blank lines.
        if (text[i] == u'#' || text[i] == u'\n' || text[i] == u'\r') {
            while (i < n && text[i] != u'\n')
                ++i;
            if (i < n) {
                ++i;
                ++line;
            }
            continue;
        }
        QStringList fields;
        if (!splitRecord(text, i, line, fields)) {
            m_problems << QCoreApplication::translate("lumina::FareCsv", "%1行目: 引用符が閉じられていません。").arg(firstLine);
            break;
        }
        FareRecord record;
        const QString problem = toRecord(fields, firstLine, record);
        if (!problem.isEmpty())
            m_problems << problem;
        m_lines.push_back(firstLine);
        out.push_back(std::move(record));
    }
    records = std::move(out);
    return m_problems.isEmpty();
}

} // namespace lumina
