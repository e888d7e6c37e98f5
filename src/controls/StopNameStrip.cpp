#include "controls/StopNameStrip.h"

#include "base/CodePage.h"
#include "base/Colors.h"
#include "base/Geometry.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumina {

namespace {

int clampToShort(int value)
{
    return std::clamp(value, int(std::numeric_limits<qint16>::min()),
                      int(std::numeric_limits<qint16>::max()));
}

qint64 steadyMicroseconds()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.nsecsElapsed() / 1000;
}

// A batch never runs more than a quarter second of rounds: after a stall the
// layer resumes smoothly instead of leaping.
constexpr qint64 kMaxRoundsPerBatch = StopNameStrip::kRoundsPerSecond / 4;

} // namespace

QStringList cellTexts(QByteArrayView cp932)
{
    // A full-width character fills a cell by itself; half-width characters go
    // two to a cell. A half-width character that would have to share its cell
    // with the first half of a full-width one stands alone instead, so that
    // every character shows whole.
    const qsizetype n = cp932.size();
    const auto fullWidthAt = [&](qsizetype i) {
        return i + 1 < n && cp932::isLeadByte(static_cast<unsigned char>(cp932[i]));
    };
    const auto singleCell = [&](qsizetype i) {
        const auto byte = static_cast<unsigned char>(cp932[i]);
        // A lead byte with nothing after it is half a character: a blank.
        return cp932::isLeadByte(byte) ? QByteArray(1, ' ') : QByteArray(1, char(byte));
    };
    QStringList cells;
    qsizetype i = 0;
    while (i < n) {
        if (fullWidthAt(i)) {
            cells << cp932::decode(cp932.sliced(i, 2));
            i += 2;
            continue;
        }
        QByteArray cell = singleCell(i);
        if (i + 1 < n && !fullWidthAt(i + 1)) {
            cell += singleCell(i + 1);
            i += 2;
        } else {
            i += 1;
        }
        cells << cp932::decode(cell);
    }
    return cells;
}

StopNameStrip::StopNameStrip(QWidget *parent)
    : QWidget(parent)
    , m_layer(kLayerWidth, kStripHeight, QImage::Format_RGB32)
    , m_canvas(16, 16, QImage::Format_RGB32)
    , m_clock(steadyMicroseconds)
{
    resize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_layer.fill(toQColor(m_backColour));
    m_canvas.fill(Qt::white);
    setMask(roundRectRegion(0, 0, kWidth, kHeight - 1, 4, 4));

    // One timer: at the frame rate while the name moves, once at the end of a pause.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &StopNameStrip::advanceScroll);
}

// --- properties -------------------------------------------------------------

void StopNameStrip::setBackColour(OleColor color)
{
    // Even the same colour clears the layer: the container relies on this to
    // blank the strip.
    m_backColour = color;
    clearLayer();
}

void StopNameStrip::setTextColour(OleColor color)
{
    // Dots already on the layer keep their colour.
    m_textColour = color;
}

void StopNameStrip::setSpeed(int speed)
{
    m_speed = clampToShort(speed);
}

void StopNameStrip::setScrollStartWait(qint32 milliseconds)
{
    m_scrollStartWait = milliseconds;
}

void StopNameStrip::setAppearance(int appearance)
{
    appearance = appearance == 0 ? 0 : 1;
    const bool changed = appearance != m_appearance;
    m_appearance = appearance;
    if (changed)
        update();
}

void StopNameStrip::setFontMode(int fontMode)
{
    m_fontMode = clampToShort(fontMode);
}

void StopNameStrip::setFontBold(bool bold)
{
    m_fontBold = bold;
}

void StopNameStrip::setDrawScale(int scale)
{
    scale = std::max(scale, 1);
    if (scale == m_scale)
        return;
    m_scale = scale;
    resize(kWidth * scale, kHeight * scale);
    // The new size repaints the strip.
    setMask(roundRectRegion(0, 0, kWidth * scale, (kHeight - 1) * scale, 4 * scale, 4 * scale));
}

// --- drawing ----------------------------------------------------------------

void StopNameStrip::clearLayer()
{
    m_layer.fill(toQColor(m_backColour));
    update();
}

void StopNameStrip::setLayerTop(int top)
{
    if (top == m_layerTop)
        return;
    m_layerTop = top;
    update();
}

void StopNameStrip::setStopName(const QString &name)
{
    m_stopName = name;
    if (name.isEmpty()) {
        // A running scroll carries on with the blank layer.
        clearLayer();
        setLayerTop(0);
        return;
    }
    stopScroll();

    const QByteArray bytes = cp932::encode(name);
    // An odd trailing half-width character gets a cell of its own rather than
    // falling below the layer.
    const QStringList cells = cellTexts(bytes);
    const int m = int(cells.size());
    const CellLayout layout = cellLayout(m);
    if (m_layer.height() != layout.layerHeight)
        m_layer = QImage(kLayerWidth, layout.layerHeight, QImage::Format_RGB32);
    clearLayer();

    const DotStyle style{m_fontMode, m_fontBold, toQColor(m_textColour).rgb()};
    for (int i = 0; i < m; ++i)
        drawCell(m_canvas, m_layer, kDotLeft, layout.firstTop + i * layout.pitch, cells.at(i),
                 style);

    // A name that fits stands still at the top, where stopping a scroll left the layer.
    if (m > kStripCells)
        startScroll();
}

QRect StopNameStrip::frameRect() const
{
    // The sunken frame is 37 x 195; the flat one reaches over the whole control
    // so that the board's strip shows every dot of its six cells.
    return m_appearance == 0 ? QRect(-2, 0, kWidth + 2, kHeight) : QRect(-2, 0, 37, 195);
}

QRect StopNameStrip::frameInside() const
{
    const QRect r = frameRect();
    return m_appearance == 0 ? r : r.adjusted(2, 2, -2, -2);
}

QPoint StopNameStrip::layerOrigin() const
{
    // Inside the sunken frame's 33 px the dots (2 to 32 of the layer) sit one
    // pixel in from either edge; the frame's 191 px inside holds the last dot
    // row of the sixth cell (row 190).
    const QRect inside = frameInside();
    return inside.topLeft() + (m_appearance == 0 ? QPoint(6, 0) : QPoint(-1, 0));
}

void StopNameStrip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // Everything below is in layout pixels; at a larger scale each dot becomes
    // a solid square, the way a denser screen shows it.
    p.scale(m_scale, m_scale);
    p.fillRect(QRect(QPoint(0, 0), size() / m_scale), toQColor(m_backColour));
    const QRect frame = frameRect();
    if (m_appearance != 0) {
        // A sunken two-pixel edge, dark above, light below and right; its
        // left side lies left of the control, as the board has always cut it.
        const QRect outer = frame;
        const QRect inner = frame.adjusted(1, 1, -1, -1);
        const auto edge = [&p](const QRect &r, const QColor &topLeft, const QColor &bottomRight) {
            p.setPen(topLeft);
            p.drawLine(r.topLeft(), r.topRight());
            p.setPen(bottomRight);
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
        };
        edge(outer, QColor(128, 128, 128), QColor(255, 255, 255));
        edge(inner, QColor(64, 64, 64), QColor(212, 208, 200));
    }
    const QRect inside = frameInside();
    p.setClipRect(inside);
    p.drawImage(layerOrigin() + QPoint(0, m_layerTop), m_layer);
}

// --- scrolling --------------------------------------------------------------

void StopNameStrip::setClock(Clock clock)
{
    m_clock = clock ? std::move(clock) : Clock(steadyMicroseconds);
}

int StopNameStrip::frameInterval() const
{
    const QScreen *s = screen();
    const double rate = s && s->refreshRate() > 1 ? s->refreshRate() : 60.0;
    return std::clamp(int(std::lround(1000.0 / rate)), 4, 50);
}

void StopNameStrip::startScroll()
{
    m_scrolling = true;
    m_speedChecked = false;
    setLayerTop(frameHeight()); // the name waits below the strip
    beginPause(m_clock());
}

void StopNameStrip::stopScroll()
{
    if (!m_scrolling)
        return;
    m_scrolling = false;
    m_timer.stop();
    setLayerTop(0);
}

void StopNameStrip::beginPause(qint64 now)
{
    // A negative wait would be an endless one: no pause at all is meant.
    const qint32 wait = std::max<qint32>(0, m_scrollStartWait);
    if (wait == 0) {
        beginMoving(now);
        return;
    }
    m_phase = Phase::Pausing;
    m_pauseEnd = now + qint64(wait) * 1000;
    m_timer.start(wait);
}

void StopNameStrip::beginMoving(qint64 start)
{
    if (!m_speedChecked) {
        m_speedChecked = true;
        if (m_speed == 0)
            setSpeed(1);
    }
    m_phase = Phase::Moving;
    m_pos = frameHeight();
    setLayerTop(frameHeight());
    m_phaseStart = start;
    m_roundsDone = 0;
    m_timer.start(frameInterval());
}

void StopNameStrip::advanceScroll()
{
    if (!m_scrolling)
        return;
    const qint64 now = m_clock();
    if (m_phase == Phase::Pausing) {
        if (now < m_pauseEnd) {
            m_timer.start(int((m_pauseEnd - now + 999) / 1000));
            return;
        }
        beginMoving(m_pauseEnd);
    }

    const qint64 due = (now - m_phaseStart) * kRoundsPerSecond / 1000000;
    qint64 rounds = due - m_roundsDone;
    if (rounds > kMaxRoundsPerBatch) {
        m_roundsDone = due - kMaxRoundsPerBatch;
        rounds = kMaxRoundsPerBatch;
    }
    for (; rounds > 0; --rounds) {
        ++m_roundsDone;
        m_pos -= m_speed / 200.0; // the speed may change between rounds
        // Compared in single precision, as the board always has: the layer has
        // left through the top and travelled one more strip height.
        if (float(-frameHeight()) >= float(m_pos + m_layer.height())) {
            setLayerTop(frameHeight());
            beginPause(now);
            return;
        }
    }
    // The steps are added up in binary fractions: allow for the crumbs.
    setLayerTop(int(std::floor(m_pos + 1e-6)));
}

} // namespace lumina
