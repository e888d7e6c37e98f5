#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <vector>

namespace lumina {

// A picture in the planar YUV 4:2:0 layout the encoder takes: BT.709 in the
// limited range, one chroma sample for each 2 x 2 block, every row starting
// at a multiple of four bytes as GStreamer lays I420 out.
struct I420Image
{
    explicit I420Image(QSize size = {});

    // Converts `rect` of a 32-bit RGB picture of this size, widened to whole
    // 2 x 2 blocks; the rest keeps what it had.
    void convert(const QImage &rgb, QRect rect);

    QSize size;
    int lumaStride = 0;
    int chromaStride = 0;
    std::vector<unsigned char> bytes; // Y, then Cb, then Cr

private:
    // Plane 0 is Cb, 1 is Cr; (x, y) a pixel of the picture.
    size_t chromaOffset(int plane, int x, int y) const;
};

} // namespace lumina
