#include "controls/SegmentDisplay.h"

#include "controls/DigitPainter.h"
#include "controls/DigitText.h"
#include "base/Colors.h"

#include <QCache>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace lumina {

SegmentDisplay::SegmentDisplay(QWidget *parent)
    : QWidget(parent)
{
    // The cached face covers every pixel, so no background is ever painted.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A new control is four positions of the smallest size, and blank.
    resize(52, 20);
}

int SegmentDisplay::showDigitDialog()
{
    qint16 zeroMode = m_zeroMode;
    qint16 shift = m_shift;
    qint16 fillZero = m_fillZero;
    const int result = host().digitDialog(this, m_digitCount, zeroMode, shift, fillZero);
    // The dialog's own limits apply, not the writers' rules.
    m_zeroMode = zeroMode;
    m_shift = shift;
    m_fillZero = fillZero;
    redraw();
    return result;
}

void SegmentDisplay::setUnlitColour(OleColor color)
{
    m_unlitColour = color;
    redraw();
}

void SegmentDisplay::setLitColour(OleColor color)
{
    m_litColour = color;
    redraw();
}

void SegmentDisplay::setFillZero(qint16 fillZero)
{
    // A negative fill has no meaning; refusing it here keeps every later
    // drawing well defined.
    m_fillZero = std::clamp<qint16>(fillZero, 0, m_digitCount);
}

void SegmentDisplay::setZeroMode(qint16 zeroMode)
{
    if (zeroMode >= 4)
        zeroMode = 0;
    m_zeroMode = zeroMode;
}

void SegmentDisplay::setShift(qint16 shift)
{
    m_shift = std::clamp<qint16>(shift, 0, qint16(std::max(m_digitCount - 1, 0)));
    if (shiftRedraws())
        redraw();
}

void SegmentDisplay::setDigitCount(qint16 digitCount)
{
    m_digitCount = digitCountRule(digitCount);
    applySize();
    redraw();
}

void SegmentDisplay::setDigitSize(qint16 digitSize)
{
    m_digitSize = digitSizeRule(digitSize);
    applySize();
    redraw();
}

void SegmentDisplay::setDigitStyle(qint16 digitStyle)
{
    m_digitStyle = digitStyle;
    redraw();
}

void SegmentDisplay::setValue(const QVariant &value)
{
    m_value = value;
    redraw();
}

void SegmentDisplay::lightAllPositions()
{
    showPlain(QString(qMax<int>(m_digitCount, 0), u'8'));
}

void SegmentDisplay::blankAllPositions()
{
    showPlain(QString());
}

void SegmentDisplay::setBlanked(bool blanked)
{
    if (blanked == m_blanked)
        return;
    m_blanked = blanked;
    redraw();
}

void SegmentDisplay::showPlain(const QString &text)
{
    const qint16 shift = m_shift;
    const qint16 zeroMode = m_zeroMode;
    const qint16 fillZero = m_fillZero;
    setShift(0);
    setZeroMode(0);
    setFillZero(0);
    setValue(text);
    setShift(shift);
    setZeroMode(zeroMode);
    setFillZero(fillZero);
}

void SegmentDisplay::setUserEditable(bool userEditable)
{
    m_userEditable = userEditable;
}

void SegmentDisplay::setBackColour(OleColor color)
{
    m_backColour = color;
    redraw();
}

void SegmentDisplay::redraw()
{
    Drawing d;
    d.blank = false;
    d.digitCount = qMax<int>(m_digitCount, 0);
    const QString text = m_blanked ? QString() : digit::displayText(m_value, m_zeroMode, m_fillZero, m_shift);
    d.litText = fitText(text, d.digitCount);
    d.unlitColour = m_unlitColour;
    d.litColour = m_litColour;
    d.face = digit::faceName(m_digitStyle);
    d.digitSize = m_digitSize;
    m_drawn = d;
    invalidateFace();
}

void SegmentDisplay::invalidateFace()
{
    m_faceValid = false;
    update();
}

const QImage &SegmentDisplay::face()
{
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize();
    if (m_faceValid && m_face.size() == pixels && m_face.devicePixelRatio() == dpr)
        return m_face;
    if (m_drawn.blank || pixels.isEmpty()) {
        if (m_face.size() != pixels)
            m_face = QImage(pixels, QImage::Format_RGB32);
        m_face.setDevicePixelRatio(dpr);
        m_face.fill(toQColor(m_backColour));
    } else {
        // Drawn in layout pixels at the scale times the screen's ratio, then
        // shown at the screen's ratio: a scaled face is as sharp as a dense one.
        const qreal ratio = dpr * m_scale;
        // A copy of the shared unlit row (cheap until written to), then the lit text.
        m_face = unlitFace(pixels, ratio);
        if (!m_drawn.litText.trimmed().isEmpty()) {
            QPainter painter(&m_face);
            painter.setRenderHint(QPainter::Antialiasing);
            paintDigits(painter, layoutSize(), Layer::Lit);
        }
        m_face.setDevicePixelRatio(dpr);
    }
    m_faceValid = true;
    return m_face;
}

QImage SegmentDisplay::unlitFace(const QSize &pixels, qreal dpr) const
{
    // Only a handful of looks are in use at a time; the least used go first
    // when the colours have been changed often.
    static QCache<QString, QImage> cache(64);
    const QString key = QStringLiteral("%1|%2x%3@%4|%5|%6|%7|%8|%9")
                            .arg(QLatin1String(metaObject()->className()))
                            .arg(pixels.width())
                            .arg(pixels.height())
                            .arg(dpr)
                            .arg(m_backColour)
                            .arg(m_drawn.unlitColour)
                            .arg(m_drawn.face)
                            .arg(m_drawn.digitCount)
                            .arg(m_drawn.digitSize);
    if (const QImage *cached = cache.object(key))
        return *cached;
    QImage image(pixels, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(toQColor(m_backColour));
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        paintDigits(painter, layoutSize(), Layer::Unlit);
    }
    cache.insert(key, new QImage(image));
    return image;
}

void SegmentDisplay::setDrawScale(int scale)
{
    scale = std::max(scale, 1);
    if (scale == m_scale)
        return;
    m_scale = scale;
    // The new size alone brings a new face.
    applySize();
}

void SegmentDisplay::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit doubleClicked();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void SegmentDisplay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, face());
}

} // namespace lumina
