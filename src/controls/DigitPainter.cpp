#include "controls/DigitPainter.h"

#include <QCache>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <cmath>

namespace lumina::digit {

namespace {

// Large enough that the outlines keep their detail when scaled up for a big cell.
constexpr int kOutlinePixelSize = 96;

struct GlyphKey {
    QString face;
    bool bold;
    char16_t ch;
    friend bool operator==(const GlyphKey &a, const GlyphKey &b)
    {
        return a.ch == b.ch && a.bold == b.bold && a.face == b.face;
    }
};

size_t qHash(const GlyphKey &k, size_t seed = 0)
{
    return qHashMulti(seed, k.face, k.bold, k.ch);
}

QPainterPath buildUnitGlyph(const QString &face, bool bold, QChar ch)
{
    QFont font(face);
    font.setPixelSize(kOutlinePixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoFontMerging);
    const QFontMetricsF metrics(font);
    // DSEG's "!" is its blank of digit width; a space of the face may be narrow.
    const QChar drawn = ch == u' ' ? QChar(u'!') : ch;
    if (!metrics.inFont(drawn))
        return {};

    QPainterPath outline;
    outline.addText(0, 0, font, QString(drawn));
    // Measure against the "8", which lights every segment of a position.
    QPainterPath eight;
    eight.addText(0, 0, font, QStringLiteral("8"));
    const QRectF ink = eight.boundingRect();
    const double advance = metrics.horizontalAdvance(u'8');
    if (ink.height() <= 0 || advance <= 0)
        return {};
    QTransform t;
    t.scale(1.0 / advance, 1.0 / ink.height());
    t.translate(0, -ink.top());
    return t.map(outline);
}

} // namespace

QString faceName(int digitStyle)
{
    switch (digitStyle) {
    case 1:
        return QStringLiteral("M_DegitB");
    case 2:
        return QStringLiteral("M_DegitC");
    default:
        return QStringLiteral("M_DegitA");
    }
}

const QPainterPath &unitGlyph(const QString &face, bool bold, QChar ch)
{
    static QHash<GlyphKey, QPainterPath> cache;
    const GlyphKey key{face, bold, ch.unicode()};
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.insert(key, buildUnitGlyph(face, bold, ch));
    return *it;
}

namespace {

// A glyph rendered once at a given size and sub-pixel phase in a given colour,
// to be copied onto faces at whole device pixels. Stepping a board redraws the
// same few characters at the same few places over and over.
struct StampKey {
    QString face;
    bool bold;
    char16_t ch;
    int width;  // 1/64 px
    int height; // 1/64 px
    int phaseX; // 1/16 px
    int phaseY; // 1/16 px
    QRgb color;
    int dprPercent;
    friend bool operator==(const StampKey &a, const StampKey &b)
    {
        return a.dprPercent == b.dprPercent && a.ch == b.ch && a.width == b.width && a.height == b.height && a.phaseX == b.phaseX
               && a.phaseY == b.phaseY && a.color == b.color && a.bold == b.bold
               && a.face == b.face;
    }
};

size_t qHash(const StampKey &k, size_t seed = 0)
{
    return qHashMulti(seed, k.face, k.bold, k.ch, k.width, k.height, k.phaseX, k.phaseY, k.color, k.dprPercent);
}

QImage renderStamp(const QPainterPath &glyph, const StampKey &k, const QColor &color)
{
    const double w = k.width / 64.0, h = k.height / 64.0;
    const double fx = k.phaseX / 16.0, fy = k.phaseY / 16.0;
    QImage image(int(std::ceil(fx + w)) + 1, int(std::ceil(fy + h)) + 1,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(k.dprPercent / 100.0);
    QPainter p(&image);
    // Drawn in device pixels whatever the ratio.
    p.scale(100.0 / k.dprPercent, 100.0 / k.dprPercent);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QTransform t;
    t.translate(fx, fy);
    t.scale(w, h);
    p.setTransform(t, true);
    p.fillPath(glyph, color);
    return image;
}

const QImage &stamp(const QPainterPath &glyph, const StampKey &key, const QColor &color)
{
    // A stamp is used at once, before the next one can push it out.
    static QCache<StampKey, QImage> cache(4096);
    if (const QImage *cached = cache.object(key))
        return *cached;
    auto *image = new QImage(renderStamp(glyph, key, color));
    cache.insert(key, image);
    return *image;
}

} // namespace

void paintRow(QPainter &painter, const QString &face, bool bold, const QString &text,
              const QRectF &firstBox, double step, const QColor &color)
{
    const QTransform base = painter.transform();
    const QTransform device = painter.deviceTransform();
    const double dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    QRectF visible;
    if (const QPaintDevice *dev = painter.device())
        visible = QRectF(0, 0, dev->width(), dev->height());
    // Copies of pre-rendered glyphs need a plain scale and shift to device pixels.
    Q_ASSERT(device.type() <= QTransform::TxScale);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QRectF box(firstBox.x() + double(i) * step, firstBox.y(), firstBox.width(),
                         firstBox.height());
        const QRectF onDevice = device.mapRect(box);
        if (!visible.isNull() && !onDevice.intersects(visible))
            continue;
        const QPainterPath &glyph = unitGlyph(face, bold, text[i]);
        if (glyph.isEmpty())
            continue;
        const double left = std::floor(onDevice.x());
        const double top = std::floor(onDevice.y());
        const StampKey key{face,
                           bold,
                           text[i].unicode(),
                           int(std::lround(onDevice.width() * 64)),
                           int(std::lround(onDevice.height() * 64)),
                           int(std::lround((onDevice.x() - left) * 16)),
                           int(std::lround((onDevice.y() - top) * 16)),
                           color.rgba(),
                           int(std::lround(dpr * 100))};
        const QImage &image = stamp(glyph, key, color);
        painter.setTransform(QTransform());
        painter.drawImage(QPointF(left / dpr, top / dpr), image);
    }
    painter.setTransform(base);
}

} // namespace lumina::digit
