#include "controls/DigitRow.h"

#include "controls/DigitPainter.h"
#include "controls/DigitText.h"
#include "base/Colors.h"
#include "base/Geometry.h"

#include <QPainter>

namespace lumina {

namespace {

constexpr DigitRow::SizeEntry kSizes[4] = {
    {195, 300, 18},
    {255, 390, 24},
    {285, 435, 27},
    {165, 225, 14},
};

// Where the segments sit in the character cell. The cell is taller than the
// face (18 pt is 24 px over a 20 px face, drawn from a pixel above the top);
// these keep the segments a pixel clear of the top and bottom edge at every
// size of the table.
constexpr double kLeading = 0.11;
constexpr double kInk = 0.69;

} // namespace

DigitRow::DigitRow(QWidget *parent)
    : SegmentDisplay(parent)
{
    applySize();
}

DigitRow::SizeEntry DigitRow::sizeEntry(int digitSize)
{
    return kSizes[(digitSize >= 1 && digitSize <= 3) ? digitSize : 0];
}

qint16 DigitRow::digitCountRule(qint16 digitCount) const
{
    return (digitCount < 1 || digitCount > 15) ? kDefaultDigitCount : digitCount;
}

qint16 DigitRow::digitSizeRule(qint16 digitSize) const
{
    return (digitSize >= 1 && digitSize <= 3) ? digitSize : 0;
}

void DigitRow::applySize()
{
    const SizeEntry e = sizeEntry(digitSize());
    setFixedSize(px(e.positionTwips * digitCount()) * drawScale(), px(e.heightTwips) * drawScale());
}

QString DigitRow::fitText(const QString &text, int digitCount) const
{
    return digit::rightmost(text, digitCount);
}

void DigitRow::paintDigits(QPainter &painter, const QSize &size, Layer layer) const
{
    const Drawing &d = drawing();
    const SizeEntry e = sizeEntry(d.digitSize);
    // One position is the width of the size table; the character cell is the
    // font size in pixels, drawn from one pixel above the top edge.
    const double step = px(e.positionTwips);
    const double cell = e.pointSize * 96.0 / 72.0;
    const QRectF box(0, -1 + kLeading * cell, step - m_charExtra, kInk * cell);

    if (layer == Layer::Unlit) {
        digit::paintRow(painter, d.face, m_bold, QString(d.digitCount, u'8'), box, step,
                        toQColor(d.unlitColour));
        return;
    }
    const double litLeft = size.width() - double(d.litText.size()) * step;
    digit::paintRow(painter, d.face, m_bold, d.litText, box.translated(litLeft, 0), step,
                    toQColor(d.litColour));
}

} // namespace lumina
