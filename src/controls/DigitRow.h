#pragma once

#include "controls/SegmentDisplay.h"

namespace lumina {

// A row of seven-segment positions that sizes itself from its digit count and
// digit size. Every position shows an unlit "8"; the value is lit over it,
// right-aligned. Used for the board clock and the options preview.
class DigitRow : public SegmentDisplay
{
    Q_OBJECT

public:
    explicit DigitRow(QWidget *parent = nullptr);

    struct SizeEntry {
        int positionTwips;
        int heightTwips;
        int pointSize;
    };
    // Width per position, height and font size of a digitSize (anything but
    // 1..3 reads as 0).
    static SizeEntry sizeEntry(int digitSize);

protected:
    qint16 digitCountRule(qint16 digitCount) const override;
    qint16 digitSizeRule(qint16 digitSize) const override;
    bool shiftRedraws() const override { return false; }
    void applySize() override;
    QString fitText(const QString &text, int digitCount) const override;
    void paintDigits(QPainter &painter, const QSize &size, Layer layer) const override;

private:
    // Spacing between characters and the weight of the digits. Older platforms
    // drew the faces with a pixel of spacing and without bold; this one uses the
    // newer pair.
    int m_charExtra = 0;
    bool m_bold = true;
};

} // namespace lumina
