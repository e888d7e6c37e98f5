#pragma once

#include "controls/DotFont.h"

#include <QPoint>
#include <QRgb>
#include <QString>
#include <QStringView>

class QImage;

namespace lumina {

// How one cell of the vertical strip is printed on the sampling canvas.
enum class CellDrawing {
    Upright,  // dots go to the layer as printed
    Mirrored, // printed horizontally, then mirrored across the diagonal so it reads vertically
};

struct CellClass {
    CellDrawing drawing = CellDrawing::Upright;
    QPoint offset;            // print position on the canvas
    bool becomesStroke = false; // the long-vowel mark, drawn as a vertical stroke
};

// The long-vowel mark and the stroke that stands for it in vertical writing.
inline constexpr char16_t kLongVowelMark = u'ー';
inline constexpr char16_t kVerticalStroke = u'丨';

// Brackets, arrows and symbols whose vertical form is the horizontal one
// mirrored across the diagonal.
inline constexpr char16_t kMirroredCells[] = {
    u'（', u'）', u'『', u'』', u'〔', u'〕', u'「', u'」', u'［', u'］', u'＜', u'＞', u'｛',
    u'｝', u'〈', u'〉', u'《', u'》', u'【', u'】', u'～', u'＝', u'→', u'←', u'⇒', u'⇔',
};

// Sorts a whole cell text into its drawing and print offset. Only a cell that
// is exactly one of the listed characters is special.
CellClass classifyCell(QStringView cell, int fontMode);

// The face a cell is printed in, from the font mode and the code page 932 code
// of its first character (single-byte codes are below 0x100).
DotFace faceFor(int fontMode, unsigned firstCode);

// The code page 932 code of the first character of `cp932`, 0 when empty.
unsigned firstCharCode(QByteArrayView cp932);

// What a cell is drawn with besides its text.
struct DotStyle {
    int fontMode = 0;
    bool bold = false;
    QRgb textColour = qRgb(255, 190, 0);
};

// Reads the top-left 16 x 16 pixels of `canvas` (RGB32) back as dots: a pixel that is
// exactly black lights one pixel of `layer` in `colour`, two pixels apart, at
// (x + 2a, y + 2b) for canvas pixel (a, b), or at (x + 2b, y + 2a) mirrored.
void canvasToDots(const QImage &canvas, QImage &layer, int x, int y, CellDrawing drawing,
                  QRgb colour);

// Turns one cell into dots: prints `text` on the 16 x 16 `canvas`, reads it
// back and sets one pixel of `layer` in the text colour for every pixel that is
// exactly black, two pixels apart, the cell's top-left dot at (x, y). A
// long-vowel mark is drawn as the vertical stroke.
void drawCell(QImage &canvas, QImage &layer, int x, int y, const QString &text,
              const DotStyle &style, const DotFont &font = DotFont::standard());

} // namespace lumina
