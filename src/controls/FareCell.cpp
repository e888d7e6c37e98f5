#include "controls/FareCell.h"

#include "controls/DigitPainter.h"
#include "controls/DigitText.h"
#include "base/Colors.h"

#include <QPainter>

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
    setObjectName(QStringLiteral("M_DegitEmNB"));
}

QRectF FareCell::targetRect(const QSize &face)
{
    // Half to even, like the platform's own rounding of such a product.
    const double height = std::nearbyint(1.14 * face.height());
    return QRectF(0, 0, face.width() - 1, height);
}

qint16 FareCell::ketaRule(qint16 keta) const
{
    // Any count is kept, but no row of negative length can be drawn: a negative
    // count is refused as none.
    return keta < 0 ? 0 : keta;
}

QString FareCell::fitText(const QString &text, int keta) const
{
    return digit::fareCellText(text, keta);
}

void FareCell::paintDigits(QPainter &painter, const QSize &size, Layer layer) const
{
    const Drawing &d = drawing();
    if (d.keta <= 0)
        return;
    // The row of Keta cells (the unlit "8"s and the lit text, both exactly Keta
    // characters from the left edge) is the frame that is stretched onto the
    // target, so each cell gets an equal share of its width.
    const QRectF target = targetRect(size);
    if (target.width() <= 0 || target.height() <= 0)
        return;
    const double step = target.width() / d.keta;
    const QRectF box(target.left(), target.top() + kLeading * target.height(), step,
                     kInk * target.height());
    if (layer == Layer::Unlit)
        digit::paintRow(painter, d.face, false, QString(d.keta, u'8'), box, step, toQColor(d.base));
    else
        digit::paintRow(painter, d.face, false, d.lit, box, step, toQColor(d.digit));
}

void FareCell::resizeEvent(QResizeEvent *event)
{
    SegmentDisplay::resizeEvent(event);
    redraw();
}

} // namespace lumina
