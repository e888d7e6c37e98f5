#pragma once

#include "controls/StripCell.h"
#include "hostlib/HostLib.h"

#include <QImage>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace lumina {

// Where the cells of a still or scrolling name go on the dot layer.
struct CellLayout {
    int firstTop = 0;    // top of the first cell
    int pitch = 0;       // from one cell's top to the next
    int layerHeight = 0; // height of the dot layer
};

inline constexpr int kStripCells = 6;
inline constexpr int kCellPitch = 32;
inline constexpr int kStripHeight = kStripCells * kCellPitch;

// Up to six cells are spread over the strip; more make a layer of 32 px per
// cell that scrolls. Four cells sit 54 px apart, not 53: the board has always
// shown them that way.
inline constexpr CellLayout kStillLayouts[kStripCells + 1] = {
    {0, 0, kStripHeight},  {80, 0, kStripHeight}, {40, 80, kStripHeight},
    {24, 56, kStripHeight}, {0, 54, kStripHeight}, {0, 40, kStripHeight},
    {0, 32, kStripHeight},
};

constexpr CellLayout cellLayout(int cells)
{
    if (cells <= 0)
        return kStillLayouts[0];
    if (cells <= kStripCells)
        return kStillLayouts[cells];
    return {0, kCellPitch, kCellPitch * cells};
}

// The texts of the cells of a code page 932 name: one full-width character or
// up to two half-width ones each.
QStringList cellTexts(QByteArrayView cp932);

// The stop-name strip: a narrow vertical dot-matrix display whose 16 x 16-dot
// cells stand one below the other. Six cells fit; a longer name rises through
// the strip over and over until another name is set.
//
// The scroll keeps its historical unit: every round the layer rises by
// speed / 200 px. Rounds are paced at kRoundsPerSecond by the clock rather than
// by how fast the machine can spin, and run in batches at the screen's frame
// rate, so the default speed 5 climbs 50 px (about one and a half characters)
// a second on any machine while the event loop stays idle between frames.
class StopNameStrip : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kRoundsPerSecond = 2000;
    static constexpr int kWidth = 41;
    static constexpr int kHeight = 194;
    static constexpr int kLayerWidth = 36;
    static constexpr int kDotLeft = 2;
    static constexpr OleColor kDesignedBackColour = 4210752; // red, green and blue 64
    static constexpr OleColor kDesignedTextColour = 8438015; // red 255, green 192, blue 128

    // Monotonic time in microseconds.
    using Clock = std::function<qint64()>;

    explicit StopNameStrip(QWidget *parent = nullptr);

    OleColor backColour() const { return m_backColour; }
    void setBackColour(OleColor color);
    OleColor textColour() const { return m_textColour; }
    void setTextColour(OleColor color);
    int speed() const { return m_speed; }
    void setSpeed(int speed);
    qint32 scrollStartWait() const { return m_scrollStartWait; }
    void setScrollStartWait(qint32 milliseconds);
    // Shows a name. Returns at once; a name of more than six cells goes on
    // scrolling until the next call. An empty name blanks the strip and lets a
    // running scroll carry on with the blank layer.
    void setStopName(const QString &name);
    // The name last handed to setStopName.
    const QString &stopName() const { return m_stopName; }
    // 0 flat, anything else a sunken frame.
    void setAppearance(int appearance);
    // Which of the Gothic and Mincho faces each kind of character is printed
    // in (0..4); a new mode or weight shows from the next name.
    void setFontMode(int fontMode);
    void setFontBold(bool bold);

    // How many screen pixels a layout pixel takes: the frame, the rounded
    // outline and every dot are drawn that much larger, the scroll keeps its
    // pace in layout pixels.
    int drawScale() const { return m_scale; }
    void setDrawScale(int scale);

    // The dot layer and where it stands, in pixels of the frame's inside.
    const QImage &layer() const { return m_layer; }
    int layerTop() const { return m_layerTop; }
    int layerHeight() const { return m_layer.height(); }
    int frameHeight() const { return kHeight; }

    bool isScrolling() const { return m_scrolling; }
    bool isPausing() const { return m_scrolling && m_phase == Phase::Pausing; }
    double scrollPosition() const { return m_pos; }

    // Tests step time by hand: give a clock, then call advanceScroll().
    void setClock(Clock clock);
    // Runs the rounds that are due by the clock and repaints if the layer moved.
    void advanceScroll();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    enum class Phase { Pausing, Moving };

    QRect frameRect() const;
    QRect frameInside() const;
    QPoint layerOrigin() const;
    void clearLayer();
    void setLayerTop(int top);
    void startScroll();
    void stopScroll();
    void beginPause(qint64 now);
    void beginMoving(qint64 start);
    int frameInterval() const;

    OleColor m_backColour = kDesignedBackColour;
    OleColor m_textColour = kDesignedTextColour;
    int m_speed = 5;
    qint32 m_scrollStartWait = 1500;
    int m_appearance = 1;
    int m_fontMode = 0;
    bool m_fontBold = false;
    QString m_stopName;
    int m_scale = 1;

    QImage m_layer;
    QImage m_canvas;
    int m_layerTop = 0;

    bool m_scrolling = false;
    bool m_speedChecked = false;
    Phase m_phase = Phase::Pausing;
    double m_pos = 0;
    qint64 m_phaseStart = 0;
    qint64 m_roundsDone = 0;
    qint64 m_pauseEnd = 0;
    Clock m_clock;
    QTimer m_timer;
};

} // namespace lumina
