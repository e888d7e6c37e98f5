#include "controls/DigitPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

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

QString faceName(int degitStyle)
{
    switch (degitStyle) {
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

void paintRow(QPainter &painter, const QString &face, bool bold, const QString &text,
              const QRectF &firstBox, double step, const QColor &color)
{
    if (text.isEmpty() || firstBox.width() <= 0 || firstBox.height() <= 0)
        return;
    const QTransform base = painter.transform();
    QRectF visible;
    if (const QPaintDevice *device = painter.device()) {
        const double dpr = device->devicePixelRatioF();
        visible = base.inverted().mapRect(
            QRectF(0, 0, device->width() / dpr, device->height() / dpr));
    }
    const QBrush brush(color);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const double x = firstBox.x() + double(i) * step;
        if (!visible.isNull() && (x + firstBox.width() < visible.left() || x > visible.right()))
            continue;
        const QPainterPath &glyph = unitGlyph(face, bold, text[i]);
        if (glyph.isEmpty())
            continue;
        QTransform t;
        t.translate(x, firstBox.y());
        t.scale(firstBox.width(), firstBox.height());
        painter.setTransform(t * base);
        painter.fillPath(glyph, brush);
    }
    painter.setTransform(base);
}

} // namespace lumina::digit
