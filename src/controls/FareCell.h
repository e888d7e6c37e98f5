#pragma once

#include "controls/SegmentDisplay.h"

namespace lumina {

// The fare cell: the same properties as DigitRow, but it takes whatever size the
// board gives it and stretches its digits over the face. A new shift redraws at once.
class FareCell : public SegmentDisplay
{
    Q_OBJECT

public:
    explicit FareCell(QWidget *parent = nullptr);

    // Height of the character cell the digits are laid out at before they are
    // stretched onto the face.
    static constexpr int kLayoutHeight = 24;
    // The rectangle the laid-out row is stretched onto for a face of the given
    // size: one pixel short of the right edge, and 1.14 times the height so the
    // empty foot of the character cell falls below the bottom edge.
    static QRectF targetRect(const QSize &face);

protected:
    qint16 digitCountRule(qint16 digitCount) const override;
    qint16 digitSizeRule(qint16 digitSize) const override { return digitSize; }
    bool shiftRedraws() const override { return true; }
    QString fitText(const QString &text, int digitCount) const override;
    void paintDigits(QPainter &painter, const QSize &size, Layer layer) const override;
};

} // namespace lumina
