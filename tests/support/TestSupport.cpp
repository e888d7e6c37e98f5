#include "TestMain.h"
#include "FixtureRows.h"

#include "controls/DotFont.h"

#include <QDir>
#include <QFontDatabase>
#include <QSet>

namespace lumina::test {

QByteArray missingFonts()
{
    QStringList missing;
    const QStringList installed = QFontDatabase::families();
    for (const char *family : {"DSEG7 Classic", "DSEG7 Modern", "DSEG7 Classic Mini", "IPAGothic",
                               "IPAPGothic", "IPAMincho"})
        if (!installed.contains(QLatin1String(family)))
            missing << QLatin1String(family);
    if (DotFont::installedBitmapSources(DotFace::Gothic).empty())
        missing << QStringLiteral("Shinonome 16-dot bitmaps");
    if (missing.isEmpty())
        return {};
    return "fonts missing (scripts/setup.sh installs them): " + missing.join(QStringLiteral(", ")).toUtf8();
}

void isolateUserFolders(const QString &dir)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Qt's test mode would use ~/.qttest, which every run shares and keeps.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir + QStringLiteral("/config-home")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir + QStringLiteral("/data-home")));
#else
    Q_UNUSED(dir);
    QStandardPaths::setTestModeEnabled(true);
#endif
}

QString compareWithReference(const QImage &image, const QString &name)
{
    const QString stored = QStringLiteral(LUMINA_REFERENCE_DIR "/%1.png").arg(name);
    const QImage actual = image.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIntValue("LUMINA_UPDATE_REFERENCE")) {
        QDir().mkpath(QStringLiteral(LUMINA_REFERENCE_DIR));
        return actual.save(stored) ? QString() : QStringLiteral("cannot write ") + stored;
    }
    const QImage expected = QImage(stored).convertToFormat(QImage::Format_RGB32);
    if (!expected.isNull() && expected == actual)
        return {};
    const QString keep = QDir::temp().filePath(QStringLiteral("lumina-actual-%1.png").arg(name));
    actual.save(keep);
    if (expected.isNull())
        return QStringLiteral("no reference %1 (LUMINA_UPDATE_REFERENCE=1 writes it; this run's "
                              "picture: %2)").arg(stored, keep);
    return QStringLiteral("%1 differs from %2; this run's picture: %3").arg(name, stored, keep);
}

void addRows(const QString &file, const QStringList &columns)
{
    // QTest keeps only the pointer to a column's name: the names outlive the table.
    static QSet<QByteArray> names;
    for (const QString &column : columns)
        QTest::addColumn<QString>(names.insert(column.toLatin1())->constData());
    for (const QStringList &fields : dataRows(file, columns.size() + 1)) {
        QTestData &row = QTest::newRow(qPrintable(fields[0]));
        for (int i = 1; i <= columns.size(); ++i)
            row << fields[i];
    }
}

} // namespace lumina::test
