#pragma once

#include <QDirIterator>
#include <QFile>
#include <QStringList>
#include <QTest>

namespace lumina::test {

// Whole files in and out; empty / false when the file cannot be read or written.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The rows of a table file under tests/data: one line a row, fields split by tabs,
// lines starting with '#' are comments. A missing or empty table, or a row without
// `columns` fields, stops the test program: no _data function runs on a broken table.
inline QList<QStringList> dataRows(const QString &path, qsizetype columns)
{
    QFile file(QStringLiteral(LUMINA_TEST_DATA "/") + path);
    QList<QStringList> rows;
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
            if (!line.isEmpty() && !line.startsWith(u'#'))
                rows << line.split(u'\t');
            if (!rows.isEmpty() && rows.last().size() != columns)
                qFatal("%s: %s", qPrintable(file.fileName()), qPrintable(line));
        }
    }
    if (rows.isEmpty())
        qFatal("no rows in %s", qPrintable(file.fileName()));
    return rows;
}
inline QList<QStringList> fixtureRows(const char *name, qsizetype columns)
{
    return dataRows(QStringLiteral("tables/") + QLatin1String(name), columns);
}

// A _data function's rows straight from a table: the first field names the row, the others make its one column "row".
inline void fixtureTable(const char *name, qsizetype columns)
{
    QTest::addColumn<QStringList>("row");
    for (const QStringList &f : fixtureRows(name, columns))
        QTest::newRow(qPrintable(f[0])) << f.mid(1);
}

// A _data function's rows: one per file of `folder` matching `filter`, named by the
// file, with its "path" and whether it is "accepted" (its name does not start "refused-").
inline void fileRows(const QString &folder, const QString &filter)
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("accepted");
    for (QDirIterator it(folder, {filter}, QDir::Files); it.hasNext();) {
        const QString name = QFileInfo(it.next()).baseName();
        QTest::newRow(qPrintable(name)) << it.filePath() << !name.startsWith(QLatin1String("refused-"));
    }
}

} // namespace lumina::test
