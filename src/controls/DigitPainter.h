#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;
class QPainterPath;

// Drawing of seven-segment rows from the digit fonts. Every position holds one
// character in a box of the same width, so a row is laid out position by
// position and never depends on what a font does with spaces.
namespace lumina::digit {

// Face name for a DigitStyle: 1 "M_DegitB", 2 "M_DegitC", anything else "M_DegitA".
QString faceName(int digitStyle);

// The outline of one character of a digit face, scaled so that the position's
// advance is 1 wide and a lit "8" is 1 high (top at 0). A space is the
// digit-wide blank; a character the face lacks is blank too.
const QPainterPath &unitGlyph(const QString &face, bool bold, QChar ch);

// Paints `text` one character per position, position i in the box
// (x + i*step, y, width, height) where the box holds the segments of the
// character. Positions wholly outside the painter's clip/device are skipped.
// The painter may scale and shift, not rotate: the glyphs are copied as
// pre-rendered images.
void paintRow(QPainter &painter, const QString &face, bool bold, const QString &text,
              const QRectF &firstBox, double step, const QColor &color);

} // namespace lumina::digit
