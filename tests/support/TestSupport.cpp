#include "TestMain.h"

#include "controls/DotFont.h"

#include <QDir>
#include <QFontDatabase>

namespace lumina::test {

QString missingFonts()
{
    QStringList missing;
    const QStringList installed = QFontDatabase::families();
    for (const char *family : {"DSEG7 Classic", "DSEG7 Modern", "DSEG7 Classic Mini", "IPAGothic",
                               "IPAPGothic", "IPAMincho"}) {
        if (!installed.contains(QLatin1String(family)))
            missing << QLatin1String(family);
    }
    if (DotFont::installedBitmapSources(DotFace::Gothic).empty())
        missing << QStringLiteral("Shinonome 16-dot bitmaps");
    return missing.join(QStringLiteral(", "));
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
    const QString keep = QDir::temp().filePath(QStringLiteral("lumina-actual-%1.png").arg(name));
    if (expected.isNull()) {
        actual.save(keep);
        return QStringLiteral("no reference %1 (LUMINA_UPDATE_REFERENCE=1 writes it; this run's "
                              "picture: %2)").arg(stored, keep);
    }
    if (expected.size() != actual.size() || expected != actual) {
        int differing = 0;
        QRect where;
        for (int y = 0; y < qMin(expected.height(), actual.height()); ++y) {
            for (int x = 0; x < qMin(expected.width(), actual.width()); ++x) {
                if (expected.pixel(x, y) != actual.pixel(x, y)) {
                    ++differing;
                    where |= QRect(x, y, 1, 1);
                }
            }
        }
        actual.save(keep);
        return QStringLiteral("%1 differs from %2: size %3x%4 against %5x%6, %7 pixels in "
                              "(%8,%9 %10x%11); this run's picture: %12")
            .arg(name, stored).arg(actual.width()).arg(actual.height()).arg(expected.width())
            .arg(expected.height()).arg(differing).arg(where.x()).arg(where.y())
            .arg(where.width()).arg(where.height()).arg(keep);
    }
    return {};
}

} // namespace lumina::test
