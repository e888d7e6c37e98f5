#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <QtGlobal>

#include <optional>

class QWidget;

namespace lumina {

// A window's position in whole twips, as the settings keep it.
qint32 twipsFromPixels(int pixels);

// Where a window goes when restored to (left, top) in twips. A position that
// would leave the window entirely off every screen (a monitor unplugged since,
// or a damaged file) keeps the window where it is: the board has no title bar,
// so a window out of sight could not be brought back.
QPoint restoredPosition(const QWidget *window, qint32 leftTwips, qint32 topTwips);

// Where the settings put a window. Positions are the window's outer edge. A
// window manager frames a window some time after it is shown, and a window
// moved before that lands with its inside where its outer edge was meant to
// be; the window is then put back. A window that has not moved since saves
// the very numbers it was given, whatever their rounding to pixels.
class WindowPlace : public QObject
{
    Q_OBJECT
public:
    // Watches `window`, whose child it becomes.
    explicit WindowPlace(QWidget *window);

    // Moves the window to (left, top) in twips, within sight (restoredPosition).
    void restore(qint32 leftTwips, qint32 topTwips);
    // The position to save, in twips.
    void save(qint32 &leftTwips, qint32 &topTwips) const;
    // Whether the settings placed the window.
    bool placed() const { return m_pixels.has_value(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static constexpr int kSettleCheckMs = 100;
    static constexpr int kSettleChecks = 50;

    bool landedInside() const;
    void putBack();

    QWidget *m_window;
    std::optional<QPoint> m_pixels;
    qint32 m_leftTwips = 0;
    qint32 m_topTwips = 0;
    QTimer m_settle;
    int m_settleChecks = 0;
};

} // namespace lumina
