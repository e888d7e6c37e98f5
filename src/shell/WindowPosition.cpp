#include "shell/WindowPosition.h"

#include "base/Geometry.h"

#include <QEvent>
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

WindowPlace::WindowPlace(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    window->installEventFilter(this);
    m_settle.setInterval(kSettleCheckMs);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        putBack();
        if (++m_settleChecks >= kSettleChecks)
            m_settle.stop();
    });
}

void WindowPlace::restore(qint32 leftTwips, qint32 topTwips)
{
    const QPoint target = restoredPosition(m_window, leftTwips, topTwips);
    m_window->move(target);
    if (target == QPoint(px(leftTwips), px(topTwips))) {
        m_pixels = target;
        m_leftTwips = leftTwips;
        m_topTwips = topTwips;
        // The frame may come a while after the window was shown.
        m_settleChecks = 0;
        m_settle.start();
    } else {
        m_pixels.reset();
    }
}

bool WindowPlace::landedInside() const
{
    // The inside at the spot meant for the outer edge: moved before the window
    // manager had framed the window.
    return m_pixels && m_window->pos() != *m_pixels && m_window->geometry().topLeft() == *m_pixels;
}

void WindowPlace::putBack()
{
    if (landedInside())
        m_window->move(*m_pixels);
}

void WindowPlace::save(qint32 &leftTwips, qint32 &topTwips) const
{
    if (m_pixels && (m_window->pos() == *m_pixels || landedInside())) {
        leftTwips = m_leftTwips;
        topTwips = m_topTwips;
        return;
    }
    const QPoint now = m_window->pos();
    leftTwips = twipsFromPixels(now.x());
    topTwips = twipsFromPixels(now.y());
}

bool WindowPlace::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && (event->type() == QEvent::Move || event->type() == QEvent::Show))
        putBack();
    return QObject::eventFilter(watched, event);
}

} // namespace lumina
