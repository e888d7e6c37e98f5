#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

class QIODevice;

namespace lumina::gtfs {

// One comma-separated table of a feed, read whole: UTF-8 with or without a
// byte order mark, CR LF, LF or CR line ends, fields in double quotes that may
// hold commas, line ends and "" for a quote. The first line names the columns;
// fields are found by that name, so column order and unknown columns do not
// matter. Blank lines are skipped.
class CsvTable
{
    Q_DECLARE_TR_FUNCTIONS(CsvTable)

public:
    // `name` is the file as messages name it ("stops.txt").
    bool read(QIODevice *device, const QString &name);
    QString errorString() const { return m_errorString; }

    QString name() const { return m_name; }
    bool hasColumn(const QString &column) const { return m_columns.contains(column); }
    qsizetype rowCount() const { return qsizetype(m_rows.size()); }
    // The field without blanks around it; "" for a column the table lacks or
    // a row that ends before it.
    QString field(qsizetype row, const QString &column) const;
    // The file line the row starts on, for messages.
    int lineOf(qsizetype row) const { return m_lines[size_t(row)]; }
    // "stops.txt 5行目 zone_id: <text>": where a problem with a field is.
    QString fieldProblem(qsizetype row, const QString &column, const QString &text) const;

private:
    bool parse(QStringView text);
    bool endRow(QStringList &fields, int line);
    bool fail(int line, const QString &text);

    QString m_name;
    QStringList m_header;
    QHash<QString, qsizetype> m_columns;
    std::vector<QStringList> m_rows;
    std::vector<int> m_lines;
    QString m_errorString;
};

} // namespace lumina::gtfs
