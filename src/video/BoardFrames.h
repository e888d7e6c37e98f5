#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>

namespace lumina {

class BoardWindow;
class StopNameStrip;

// The board as the window shows it, drawn into a video frame: centred on a
// canvas filled with the background (the board's dots are never resampled),
// or alone on a frame of its own size rounded up to even sides. Only what
// changed is drawn again: the whole board after an action, the clock's and
// the strip's part as they move.
class BoardFrames
{
public:
    // An empty `canvas` is the board's own size.
    BoardFrames(BoardWindow &board, QSize canvas, QColor background);

    // False when the board is larger than the canvas.
    bool fits() const { return m_fits; }
    QSize size() const { return m_frame.size(); }

    // The frame for the board's state now; `boardSerial` changes whenever
    // the board may show something new. Returns the part of the frame that
    // differs from the frame before (empty: the same picture).
    QRect update(quint64 boardSerial);
    const QImage &frame() const { return m_frame; }

private:
    void drawBoard(const QRect &boardPart);
    QString clockShown() const;

    BoardWindow &m_board;
    StopNameStrip *m_strip = nullptr;
    QImage m_frame;
    QPoint m_origin;
    bool m_fits = true;
    bool m_drawn = false;
    quint64 m_serial = 0;
    int m_stripTop = 0;
    QString m_clock;
};

} // namespace lumina
