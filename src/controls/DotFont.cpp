#include "controls/DotFont.h"

#include "base/CodePage.h"
#include "base/Fonts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <memory>

#include <zlib.h>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace lumina {

struct DotFont::Glyph {
    std::vector<QPoint> dots; // relative to the top-left of the line
};

// One bitmap font file opened through FreeType. PCF files of the X11 tradition
// carry no Unicode map: their single charmap is indexed by the code of their
// own character set, which is what we look glyphs up by.
class DotFont::BitmapFile
{
public:
    explicit BitmapFile(const QString &path)
    {
        if (FT_Init_FreeType(&m_library) != 0) {
            m_library = nullptr;
            return;
        }
        // Unpacked whole into memory: looking glyphs up in a compressed stream
        // means unpacking again from the start on every backward seek.
        const QByteArray native = QFile::encodeName(path);
        const std::unique_ptr<gzFile_s, decltype(&gzclose)> in(gzopen(native.constData(), "rb"), gzclose);
        if (!in)
            return;
        char chunk[65536];
        int got = 0;
        while ((got = gzread(in.get(), chunk, sizeof chunk)) > 0)
            m_data.append(chunk, got);
        const bool failed = got < 0;
        if (failed || m_data.isEmpty()
            || FT_New_Memory_Face(m_library, reinterpret_cast<const FT_Byte *>(m_data.constData()),
                                  FT_Long(m_data.size()), 0, &m_face)
                   != 0) {
            m_face = nullptr;
            return;
        }
        // A face of bitmaps alone comes with its first strike chosen: the 16-dot one.
        if (m_face->num_charmaps > 0)
            FT_Set_Charmap(m_face, m_face->charmaps[0]);
    }
    ~BitmapFile()
    {
        if (m_face)
            FT_Done_Face(m_face);
        if (m_library)
            FT_Done_FreeType(m_library);
    }
    Q_DISABLE_COPY_MOVE(BitmapFile)

    bool load(unsigned code, Glyph &out) const
    {
        if (!m_face)
            return false;
        const FT_UInt index = FT_Get_Char_Index(m_face, code);
        if (index == 0)
            return false;
        if (FT_Load_Glyph(m_face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
            return false;
        const FT_GlyphSlot slot = m_face->glyph;
        const FT_Bitmap &bm = slot->bitmap;
        // The cuts hold 1-bit strikes; anything else is no glyph of theirs.
        if (bm.pixel_mode != FT_PIXEL_MODE_MONO)
            return false;
        out.dots.clear();
        for (unsigned row = 0; row < bm.rows; ++row) {
            const unsigned char *line = bm.buffer + std::ptrdiff_t(row) * bm.pitch;
            for (unsigned col = 0; col < bm.width; ++col) {
                if ((line[col >> 3] & (0x80 >> (col & 7))) != 0)
                    out.dots.emplace_back(slot->bitmap_left + int(col),
                                          kBaseline - slot->bitmap_top + int(row));
            }
        }
        return true;
    }

private:
    QByteArray m_data;
    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
};

namespace {

// Every stroke one dot wider to the right.
std::vector<QPoint> widened(const std::vector<QPoint> &dots)
{
    std::vector<QPoint> wide = dots;
    for (const QPoint &p : dots) {
        const QPoint right(p.x() + 1, p.y());
        if (std::find(dots.begin(), dots.end(), right) == dots.end())
            wide.push_back(right);
    }
    return wide;
}

} // namespace

unsigned jisFromCp932(unsigned code)
{
    unsigned lead = code >> 8;
    const unsigned trail = code & 0xFF;
    if (lead < 0x81 || (lead > 0x9F && lead < 0xE0) || lead > 0xEF || trail < 0x40
        || trail == 0x7F || trail > 0xFC)
        return 0;
    if (lead >= 0xE0)
        lead -= 0x40;
    unsigned row = (lead - 0x81) * 2 + 0x21;
    unsigned cell;
    if (trail >= 0x9F) {
        ++row;
        cell = trail - 0x9F + 0x21;
    } else {
        cell = trail - 0x40 + 0x21 - (trail >= 0x80 ? 1 : 0);
    }
    return (row << 8) | cell;
}

DotFont::DotFont(std::vector<DotFontSource> gothic, std::vector<DotFontSource> mincho)
{
    m_sources[int(DotFace::Gothic)] = std::move(gothic);
    m_sources[int(DotFace::Mincho)] = std::move(mincho);
}

DotFont::~DotFont() = default;

std::vector<DotFontSource> DotFont::installedBitmapSources(DotFace face)
{
    // The Shinonome 16-dot fonts: the only free 16 x 16 bitmap fonts with both
    // a Gothic and a Mincho cut of the whole JIS X 0208 set. They have one
    // half-width cut, a Gothic one, so Mincho takes its half-width characters
    // from the outline source.
    const QStringList dirs = bitmapFontFolders();
    const auto find = [&dirs](const QString &name) -> QString {
        for (const QString &dir : dirs) {
            for (const QString &suffix : {QStringLiteral(".pcf.gz"), QStringLiteral(".pcf")}) {
                const QString path = QDir(dir).filePath(name + suffix);
                if (QFileInfo::exists(path))
                    return path;
            }
        }
        return {};
    };
    DotFontSource s;
    if (face == DotFace::Gothic) {
        s.doubleByteFile = find(QStringLiteral("shnmk16"));
        s.doubleByteBoldFile = find(QStringLiteral("shnmk16b"));
        s.singleByteFile = find(QStringLiteral("shnm8x16r"));
        s.singleByteBoldFile = find(QStringLiteral("shnm8x16rb"));
    } else {
        s.doubleByteFile = find(QStringLiteral("shnmk16min"));
        s.doubleByteBoldFile = find(QStringLiteral("shnmk16minb"));
        s.unlessSameAsFile = find(QStringLiteral("shnmk16"));
    }
    if (s.doubleByteFile.isEmpty() && s.singleByteFile.isEmpty())
        return {};
    return {s};
}

const DotFont &DotFont::standard()
{
    static const DotFont font = [] {
        std::vector<DotFontSource> gothic = installedBitmapSources(DotFace::Gothic);
        std::vector<DotFontSource> mincho = installedBitmapSources(DotFace::Mincho);
        DotFontSource gothicOutline;
        gothicOutline.families = {QStringLiteral("DotGothic16"), QStringLiteral("ＭＳ ゴシック")};
        DotFontSource minchoOutline;
        minchoOutline.families = {QStringLiteral("ＭＳ 明朝")};
        gothic.push_back(gothicOutline);
        mincho.push_back(minchoOutline);
        return DotFont(std::move(gothic), std::move(mincho));
    }();
    return font;
}

DotFont::BitmapFile *DotFont::file(const QString &path) const
{
    if (path.isEmpty())
        return nullptr;
    auto it = m_files.find(path);
    if (it == m_files.end())
        it = m_files.insert(path, std::make_shared<BitmapFile>(path));
    return it.value().get();
}

const DotFont::Glyph *DotFont::bitmapGlyph(const DotFontSource &source, unsigned code,
                                           bool bold) const
{
    static thread_local Glyph scratch;
    const bool singleByte = code < 0x100;
    const unsigned key = singleByte ? code : jisFromCp932(code);
    if (key == 0)
        return nullptr;
    const QString &regular = singleByte ? source.singleByteFile : source.doubleByteFile;
    const QString &heavy = singleByte ? source.singleByteBoldFile : source.doubleByteBoldFile;
    if (!singleByte && !source.unlessSameAsFile.isEmpty()) {
        BitmapFile *own = file(regular);
        BitmapFile *other = file(source.unlessSameAsFile);
        Glyph mine;
        Glyph theirs;
        if (own && other && own->load(key, mine) && other->load(key, theirs)
            && mine.dots == theirs.dots)
            return nullptr;
    }
    if (bold) {
        if (BitmapFile *f = file(heavy); f && f->load(key, scratch))
            return &scratch;
    }
    if (BitmapFile *f = file(regular); f && f->load(key, scratch)) {
        if (bold) {
            // No bold cut: thicken every stroke by one dot to the right, the way
            // the platform emboldens a bitmap font.
            scratch.dots = widened(scratch.dots);
        }
        return &scratch;
    }
    return nullptr;
}

DotFont::Glyph DotFont::outlineGlyph(const DotFontSource &source, unsigned code, bool bold) const
{
    Glyph g;
    QByteArray bytes;
    if (code < 0x100)
        bytes.append(char(code));
    else
        bytes.append(char(code >> 8)).append(char(code & 0xFF));
    const QString text = cp932::decode(bytes);
    if (text.isEmpty() || text == QChar(QChar::ReplacementCharacter) || text.at(0).isSpace())
        return g;

    const QString fontKey = source.families.join(QLatin1Char('\n'));
    auto font = m_fonts.find(fontKey);
    if (font == m_fonts.end()) {
        QFont f;
        f.setFamilies(source.families);
        f.setPixelSize(kPixelSize);
        f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
        f.setHintingPreference(QFont::PreferFullHinting);
        font = m_fonts.insert(fontKey, f);
    }
    // Bold is made below, the way the bitmap cuts make it: the font engine's
    // emboldening fills the counters of a 16 px kanji solid.

    // Print into a canvas with a margin so that nothing the font puts a little
    // outside its cell is lost here; the caller's canvas does the cutting.
    constexpr int margin = 8;
    QImage image(kPixelSize + 2 * margin, kPixelSize + 2 * margin, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setFont(font.value());
        p.drawText(QPoint(margin, margin + kBaseline), text);
    }
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == 0)
                g.dots.emplace_back(x - margin, y - margin);
        }
    }
    if (bold)
        g.dots = widened(g.dots);
    return g;
}

const DotFont::Glyph *DotFont::glyph(unsigned code, DotFace face, bool bold) const
{
    const quint64 key = (quint64(code) << 2) | (quint64(face == DotFace::Mincho) << 1) | bold;
    if (auto it = m_glyphs.constFind(key); it != m_glyphs.constEnd())
        return it.value().get();

    auto found = std::make_shared<Glyph>();
    for (const DotFontSource &s : m_sources[int(face)]) {
        if (s.isBitmap()) {
            if (const Glyph *g = bitmapGlyph(s, code, bold)) {
                found->dots = g->dots;
                break;
            }
        } else {
            Glyph g = outlineGlyph(s, code, bold);
            found->dots = std::move(g.dots);
            break;
        }
    }
    return m_glyphs.insert(key, found).value().get();
}

void DotFont::print(QImage &canvas, QPoint origin, QByteArrayView cp932, DotFace face,
                    bool bold) const
{
    const QRgb black = qRgb(0, 0, 0);
    int pen = origin.x();
    qsizetype i = 0;
    while (i < cp932.size()) {
        const auto lead = static_cast<unsigned char>(cp932[i]);
        unsigned code = lead;
        int advance = kPixelSize / 2;
        if (cp932::isLeadByte(lead)) {
            if (i + 1 >= cp932.size()) // a cut character: an empty half cell
                break;
            code = (unsigned(lead) << 8) | static_cast<unsigned char>(cp932[i + 1]);
            advance = kPixelSize;
            ++i;
        }
        ++i;
        const Glyph *g = glyph(code, face, bold);
        for (const QPoint &d : g->dots) {
            const int x = pen + d.x();
            const int y = origin.y() + d.y();
            if (canvas.rect().contains(x, y))
                canvas.setPixel(x, y, black);
        }
        pen += advance;
    }
}

} // namespace lumina
