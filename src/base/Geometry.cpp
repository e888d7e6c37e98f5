#include "base/Geometry.h"

#include <algorithm>

namespace lumina {

QRegion roundRectRegion(int left, int top, int right, int bottom, int ellipseWidth,
                        int ellipseHeight)
{
    const int width = right - left;
    const int height = bottom - top;
    if (width <= 0 || height <= 0)
        return {};
    const int ew = std::clamp(ellipseWidth, 0, width);
    const int eh = std::clamp(ellipseHeight, 0, height);

    // Scan the corner ellipse row by row so the edge is the same staircase on
    // every corner, whatever the size. An ellipse under two pixels across
    // cuts nothing.
    QRegion region;
    const double a = ew / 2.0;
    const double b = eh / 2.0;
    for (int y = 0; y < height; ++y) {
        const double rowCentre = y + 0.5;
        // How far into the top or the bottom corner the row lies; 0 between them.
        const double dy = std::max({0.0, b - rowCentre, rowCentre - (height - b)});
        int inset = 0;
        if (dy > 0) {
            const double t = std::min(1.0, dy / b);
            inset = int(std::lround(a - a * std::sqrt(1.0 - t * t)));
        }
        // A row the corners meet in is an empty rectangle, which adds nothing.
        region += QRect(left + inset, top + y, width - 2 * inset, 1);
    }
    return region;
}

} // namespace lumina
