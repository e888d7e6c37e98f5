#include "base/Fonts.h"

#include "base/Paths.h"

#include <QDirIterator>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QStringList>

namespace lumina {

namespace {

struct Substitution {
    const char16_t *face;
    const char16_t *candidates[4];
};

// Japanese text faces map to IPA fonts; the digit faces map to DSEG7, whose
// segments line up exactly with an unlit "8".
constexpr Substitution kSubstitutions[] = {
    {u"ＭＳ ゴシック", {u"IPAGothic", u"Noto Sans Mono CJK JP", u"MS Gothic", nullptr}},
    {u"ＭＳ 明朝", {u"IPAMincho", u"Noto Serif CJK JP", u"MS Mincho", nullptr}},
    {u"ＭＳ Ｐゴシック", {u"IPAPGothic", u"Noto Sans CJK JP", u"MS PGothic", nullptr}},
    {u"ＭＳ Ｐ明朝", {u"IPAPMincho", u"Noto Serif CJK JP", u"MS PMincho", nullptr}},
    {u"M_NumP1", {u"IPAPGothic", u"DejaVu Sans", nullptr, nullptr}},
    {u"M_DegitA", {u"DSEG7 Classic", nullptr, nullptr, nullptr}},
    {u"M_DegitB", {u"DSEG7 Modern", nullptr, nullptr, nullptr}},
    {u"M_DegitC", {u"DSEG7 Classic Mini", nullptr, nullptr, nullptr}},
};

QStringList candidatesOf(const Substitution &s)
{
    QStringList list;
    for (const char16_t *c : s.candidates) {
        if (c)
            list << QString::fromUtf16(c);
    }
    return list;
}

// Outline fonts beside the program come first: a system without the fonts
// (any but a Debian one with the font packages) still draws the same board.
void addShippedFonts()
{
    const QString folder = programDataFolder(QStringLiteral("fonts"));
    if (folder.isEmpty())
        return;
    const QStringList outlines{QStringLiteral("*.ttf"), QStringLiteral("*.otf")};
    for (QDirIterator it(folder, outlines, QDir::Files); it.hasNext();) {
        if (QFontDatabase::addApplicationFont(it.next()) < 0)
            qWarning("cannot read the font %s", qPrintable(it.filePath()));
    }
}

} // namespace

void registerFonts()
{
    addShippedFonts();
    const QStringList installed = QFontDatabase::families();
    for (const Substitution &s : kSubstitutions) {
        const QString face = QString::fromUtf16(s.face);
        if (installed.contains(face))
            continue; // the real font is there: use it
        QStringList available;
        for (const QString &candidate : candidatesOf(s)) {
            if (installed.contains(candidate))
                available << candidate;
        }
        if (!available.isEmpty())
            QFont::insertSubstitutions(face, available);
    }
    // Captions without a face of their own use the panel's usual 9-point
    // proportional Gothic.
    QFont standard(QStringLiteral("ＭＳ Ｐゴシック"));
    standard.setPointSizeF(9);
    QGuiApplication::setFont(standard);
}

QStringList bitmapFontFolders()
{
    QStringList folders;
    if (const QString shipped = programDataFolder(QStringLiteral("fonts")); !shipped.isEmpty())
        folders << shipped;
    folders << QStringLiteral("/usr/share/fonts/X11/misc") << QStringLiteral("/usr/local/share/fonts/X11/misc");
    for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders << joinFolder(data, QStringLiteral("fonts/X11/misc"));
    folders.removeDuplicates();
    return folders;
}

QString substituteFamily(const QString &faceName)
{
    const QStringList list = QFont::substitutes(faceName);
    return list.isEmpty() ? faceName : list.first();
}

} // namespace lumina
