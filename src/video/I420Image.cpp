#include "video/I420Image.h"

namespace lumina {

namespace {

inline unsigned char lumaOf(int r, int g, int b)
{
    return static_cast<unsigned char>((47 * r + 157 * g + 16 * b + 128) / 256 + 16);
}

} // namespace

I420Image::I420Image(QSize size)
    : size(size)
    , lumaStride((size.width() + 3) & ~3)
    , chromaStride((size.width() / 2 + 3) & ~3)
    , bytes(size_t(lumaStride * size.height() + chromaStride * size.height()), 0)
{
}

size_t I420Image::chromaOffset(int plane, int x, int y) const
{
    const int planeBytes = chromaStride * (size.height() / 2);
    return size_t(lumaStride * size.height() + plane * planeBytes + (y / 2) * chromaStride + x / 2);
}

void I420Image::convert(const QImage &rgb, QRect rect)
{
    // Whole 2 x 2 blocks: from an even corner, each step takes the pixels right of and below it too.
    rect.setLeft(rect.left() & ~1);
    rect.setTop(rect.top() & ~1);
    rect &= QRect(QPoint(0, 0), size);
    for (int y = rect.top(); y <= rect.bottom(); y += 2) {
        const auto *row0 = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        const auto *row1 = reinterpret_cast<const QRgb *>(rgb.constScanLine(y + 1));
        for (int x = rect.left(); x <= rect.right(); x += 2) {
            const QRgb px[4] = {row0[x], row0[x + 1], row1[x], row1[x + 1]};
            int r = 0, g = 0, b = 0;
            for (int i = 0; i < 4; ++i) {
                r += qRed(px[i]);
                g += qGreen(px[i]);
                b += qBlue(px[i]);
                bytes[size_t((y + i / 2) * lumaStride + x + i % 2)] = lumaOf(qRed(px[i]), qGreen(px[i]), qBlue(px[i]));
            }
            bytes[chromaOffset(0, x, y)] = static_cast<unsigned char>((-26 * r - 86 * g + 112 * b + 1024 * 128 + 512) / 1024);
            bytes[chromaOffset(1, x, y)] = static_cast<unsigned char>((112 * r - 102 * g - 10 * b + 1024 * 128 + 512) / 1024);
        }
    }
}

} // namespace lumina
