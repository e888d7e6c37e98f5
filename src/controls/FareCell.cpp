#include "controls/FareCell.h"

#include "controls/DigitPainter.h"
#include "controls/DigitText.h"
#include "base/Colors.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace lumina {

namespace {

// The character cell of the digit faces at layout height: leading above the
// segments, the segments, and an empty foot of about an eighth of the cell,
// which the 1.14 stretch pushes below the bottom edge.
constexpr double kLeading = 1.0 / 16.0;
constexpr double kInk = 3.0 / 4.0;

} // namespace

FareCell::FareCell(QWidget *parent)
    : SegmentDisplay(parent)
{
}

QRectF FareCell::targetRect(const QSize &face)
{
    // Half to even, like the platform's own rounding of such a product.
    const double height = std::nearbyint(1.14 * face.height());
    return QRectF(0, 0, face.width() - 1, height);
}

qint16 FareCell::digitCountRule(qint16 digitCount) const
{
    // Any count is kept, but no row of negative length can be drawn: a negative
    // count is refused as none.
    return std::max<qint16>(digitCount, 0);
}

QString FareCell::fitText(const QString &text, int digitCount) const
{
    return digit::fareCellText(text, digitCount);
}

void FareCell::paintDigits(QPainter &painter, const QSize &size, Layer layer) const
{
    const Drawing &d = drawing();
    if (d.digitCount <= 0)
        return;
    // The row of cells (the unlit "8"s and the lit text, each exactly one
    // character a position from the left edge) is the frame that is stretched
    // onto the target, so each cell gets an equal share of its width.
    const QRectF target = targetRect(size);
    if (target.isEmpty())
        return;
    const double step = target.width() / d.digitCount;
    const QRectF box(target.left(), target.top() + kLeading * target.height(), step,
                     kInk * target.height());
    if (layer == Layer::Unlit)
        digit::paintRow(painter, d.face, false, QString(d.digitCount, u'8'), box, step,
                        toQColor(d.unlitColour));
    else
        digit::paintRow(painter, d.face, false, d.litText, box, step, toQColor(d.litColour));
}

} // namespace lumina
