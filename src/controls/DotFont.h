#pragma once

#include <QByteArrayView>
#include <QFont>
#include <QHash>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QImage;

namespace lumina {

// The two type styles of the stop-name strip.
enum class DotFace { Gothic, Mincho };

// One place glyphs can come from. A bitmap source is a pair of fixed-size
// bitmap font files (BDF/PCF, read through FreeType): one indexed by JIS X 0208
// codes for double-byte characters and one indexed by JIS X 0201 codes for
// single-byte ones, each with an optional bold cut. An outline source is a list
// of font families printed at 16 px without smoothing.
struct DotFontSource {
    QString doubleByteFile;
    QString doubleByteBoldFile;
    QString singleByteFile;
    QString singleByteBoldFile;
    QStringList families;
    // A double-byte glyph identical to the one this file holds for the same
    // code counts as missing: the Shinonome Mincho cut copies roughly half of
    // its kanji and all of its Latin, Greek and Cyrillic from the Gothic cut,
    // and a Mincho strip should not show them in Gothic.
    QString unlessSameAsFile;

    bool isBitmap() const { return families.isEmpty(); }
};

// Prints code page 932 text in black on a white 16 x 16 canvas, one pixel per
// dot. Each character is looked up in the sources of its face in order, so a
// character a bitmap font lacks still comes out of the next source.
class DotFont
{
public:
    static constexpr int kPixelSize = 16;
    static constexpr int kBaseline = 14; // rows above the baseline in a 16-row cell

    DotFont(std::vector<DotFontSource> gothic, std::vector<DotFontSource> mincho);
    ~DotFont();
    DotFont(const DotFont &) = delete;
    DotFont &operator=(const DotFont &) = delete;

    // The font every strip uses: 16-dot bitmap fonts where installed, outline
    // fonts for everything they lack.
    static const DotFont &standard();
    // The bitmap sources found on this machine (empty when none is installed).
    static std::vector<DotFontSource> installedBitmapSources(DotFace face);

    // Prints `cp932` with the top-left of its line at `origin`. Single-byte
    // characters advance 8 px, double-byte ones 16 px; a lead byte without its
    // trail byte prints nothing and advances 8 px.
    void print(QImage &canvas, QPoint origin, QByteArrayView cp932, DotFace face,
               bool bold) const;

private:
    struct Glyph;
    class BitmapFile;

    const Glyph *glyph(unsigned code, DotFace face, bool bold) const;
    const Glyph *bitmapGlyph(const DotFontSource &source, unsigned code, bool bold) const;
    Glyph outlineGlyph(const DotFontSource &source, unsigned code, bool bold) const;
    BitmapFile *file(const QString &path) const;

    std::vector<DotFontSource> m_sources[2];
    mutable QHash<QString, std::shared_ptr<BitmapFile>> m_files;
    mutable QHash<QString, QFont> m_fonts;
    mutable QHash<quint64, std::shared_ptr<Glyph>> m_glyphs;
};

// JIS X 0208 row-and-cell code of a double-byte code page 932 code, or 0 when it
// lies outside the JIS X 0208 area.
unsigned jisFromCp932(unsigned code);

} // namespace lumina
