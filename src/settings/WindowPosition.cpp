#include "settings/WindowPosition.h"

#include "base/Geometry.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <limits>

namespace lumina {

qint32 twipsFromPixels(int pixels)
{
    const qint64 t = qint64(pixels) * kTwipsPerPixel;
    return qint32(std::clamp<qint64>(t, std::numeric_limits<qint32>::min(),
                                     std::numeric_limits<qint32>::max()));
}

QPoint restoredPosition(const QWidget *window, qint32 leftTwips, qint32 topTwips)
{
    const QPoint target(px(leftTwips), px(topTwips));
    const QRect frame(target, window->frameGeometry().size());
    const auto screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return target;
    // Enough of it must show to take hold of it.
    const int needWidth = std::min(32, frame.width());
    const int needHeight = std::min(32, frame.height());
    for (const QScreen *screen : screens) {
        const QRect visible = screen->geometry().intersected(frame);
        if (!visible.isEmpty() && visible.width() >= needWidth && visible.height() >= needHeight)
            return target;
    }
    return window->pos();
}

} // namespace lumina
