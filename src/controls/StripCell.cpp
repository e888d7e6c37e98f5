#include "controls/StripCell.h"

#include "base/CodePage.h"

#include <QImage>

#include <algorithm>

namespace lumina {

CellClass classifyCell(QStringView cell, int fontMode)
{
    CellClass c;
    if (cell.size() != 1)
        return c;
    const char16_t ch = cell.at(0).unicode();
    if (ch == kLongVowelMark) {
        c.becomesStroke = true;
    } else if (ch == u'申' || ch == u'山') {
        // The Gothic cut of these two sits a column left of centre.
        if (fontMode == 0 || fontMode == 2)
            c.offset = QPoint(1, 0);
    } else if (std::find(std::begin(kMirroredCells), std::end(kMirroredCells), ch)
               != std::end(kMirroredCells)) {
        c.drawing = CellDrawing::Mirrored;
    } else if (ch == u'。' || ch == u'、') {
        // Horizontal fonts put these low left; vertical writing wants them high right.
        c.offset = QPoint(10, -10);
    }
    return c;
}

DotFace faceFor(int fontMode, unsigned firstCode)
{
    const bool singleByte = firstCode < 0x100;
    const bool kanji = !singleByte && firstCode >= 0x889F;
    switch (fontMode) {
    case 1:
        return DotFace::Mincho;
    case 2:
        return singleByte || kanji ? DotFace::Gothic : DotFace::Mincho;
    case 3:
        return singleByte || kanji ? DotFace::Mincho : DotFace::Gothic;
    case 4:
        return firstCode >= 0x824F && firstCode <= 0x829A ? DotFace::Gothic : DotFace::Mincho;
    default:
        return DotFace::Gothic;
    }
}

unsigned firstCharCode(QByteArrayView cp932)
{
    if (cp932.isEmpty())
        return 0;
    const auto lead = static_cast<unsigned char>(cp932[0]);
    if (cp932::isLeadByte(lead) && cp932.size() > 1)
        return (unsigned(lead) << 8) | static_cast<unsigned char>(cp932[1]);
    return lead;
}

void canvasToDots(const QImage &canvas, QImage &layer, int x, int y, CellDrawing drawing,
                  QRgb colour)
{
    Q_ASSERT(canvas.format() == QImage::Format_RGB32);
    const bool mirrored = drawing == CellDrawing::Mirrored;
    const int width = std::min(canvas.width(), 16);
    const int height = std::min(canvas.height(), 16);
    for (int b = 0; b < height; ++b) {
        const auto *line = reinterpret_cast<const QRgb *>(canvas.constScanLine(b));
        for (int a = 0; a < width; ++a) {
            // Only pure black is a dot: an edge pixel a smoothing renderer
            // greyed stays dark on the strip.
            if ((line[a] & 0xFFFFFF) != 0)
                continue;
            const int px = mirrored ? x + 2 * b : x + 2 * a;
            const int py = mirrored ? y + 2 * a : y + 2 * b;
            if (px >= 0 && py >= 0 && px < layer.width() && py < layer.height())
                layer.setPixel(px, py, colour);
        }
    }
}

void drawCell(QImage &canvas, QImage &layer, int x, int y, const QString &text,
              const DotStyle &style, const DotFont &font)
{
    if (canvas.format() != QImage::Format_RGB32 || canvas.width() < 16 || canvas.height() < 16)
        canvas = QImage(16, 16, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    if (text.isEmpty())
        return;

    const CellClass cell = classifyCell(text, style.fontMode);
    const QString printed = cell.becomesStroke ? QString(QChar(kVerticalStroke)) : text;
    const QByteArray bytes = cp932::encode(printed);
    const DotFace face = faceFor(style.fontMode, firstCharCode(bytes));
    font.print(canvas, cell.offset, bytes, face, style.bold);

    canvasToDots(canvas, layer, x, y, cell.drawing, style.textColour);
}

} // namespace lumina
