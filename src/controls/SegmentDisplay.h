#pragma once

#include "base/Colors.h"
#include "hostlib/HostLib.h"

#include <QImage>
#include <QString>
#include <QVariant>
#include <QWidget>

namespace lumina {

// What both segment displays share: the properties with their defaults and set
// rules, lighting or blanking every position, the settings dialog and the
// double-click event. The face is kept in a cached image that is rebuilt only
// after a property that redraws has changed (or the size); paintEvent copies it.
class SegmentDisplay : public QWidget
{
    Q_OBJECT

public:
    static constexpr qint16 kDefaultDigitCount = 4;

    // Digit settings dialog of the host. Stores the dialog's zero mode, shift
    // and fill as it left them (whatever the result), redraws, and returns the
    // dialog's result (1 = confirmed).
    int showDigitDialog();

    OleColor unlitColour() const { return m_unlitColour; }
    void setUnlitColour(OleColor color);
    OleColor litColour() const { return m_litColour; }
    void setLitColour(OleColor color);
    qint16 fillZero() const { return m_fillZero; }
    void setFillZero(qint16 fillZero);
    qint16 zeroMode() const { return m_zeroMode; }
    void setZeroMode(qint16 zeroMode);
    qint16 shift() const { return m_shift; }
    void setShift(qint16 shift);
    qint16 digitCount() const { return m_digitCount; }
    void setDigitCount(qint16 digitCount);
    qint16 digitSize() const { return m_digitSize; }
    void setDigitSize(qint16 digitSize);
    qint16 digitStyle() const { return m_digitStyle; }
    void setDigitStyle(qint16 digitStyle);
    // Kept exactly as assigned; assigning always redraws, which is how the
    // board brings a new zero mode, shift or fill onto the face.
    QVariant value() const { return m_value; }
    void setValue(const QVariant &value);
    // Every position an "8" (the lamp test), or every position blank, whatever
    // the zero mode, shift and fill, which are kept for the next value.
    void lightAllPositions();
    void blankAllPositions();
    // A blanked display lights nothing, whatever its value and settings, and
    // keeps both for when it is no longer blanked.
    bool isBlanked() const { return m_blanked; }
    void setBlanked(bool blanked);
    // Whether the board lets a double-click open the digit dialog of this cell.
    bool userEditable() const { return m_userEditable; }
    void setUserEditable(bool userEditable);
    OleColor backColour() const { return m_backColour; }
    void setBackColour(OleColor color);

    // How many screen pixels a layout pixel takes. The face is drawn at that
    // size, as sharp as on a denser screen.
    int drawScale() const { return m_scale; }
    void setDrawScale(int scale);
    // The size the digits are laid out at: the widget's size before the scale.
    QSize layoutSize() const { return size() / m_scale; }

    // The face as it is shown (rebuilt here if a change is pending).
    const QImage &face();
    // The text lit at the last redraw, one character per position from the
    // right edge.
    QString litText() const { return m_drawn.litText; }

signals:
    void doubleClicked();

protected:
    explicit SegmentDisplay(QWidget *parent);

    // Differences between the two controls.
    virtual qint16 digitCountRule(qint16 digitCount) const = 0;
    virtual qint16 digitSizeRule(qint16 digitSize) const = 0;
    virtual bool shiftRedraws() const = 0;
    // Called after digitCount or digitSize has changed, before the redraw.
    virtual void applySize() {}
    // The lit text for the positions, from the text after zero rule, fill, shift.
    virtual QString fitText(const QString &text, int digitCount) const = 0;
    // Paints one layer of the row onto the face, in pixels: the unlit "8" in
    // every position, or the lit text over it.
    enum class Layer { Unlit, Lit };
    virtual void paintDigits(QPainter &painter, const QSize &size, Layer layer) const = 0;

    // Records what the face is to show from the current properties and marks the
    // cached image stale.
    void redraw();
    // Marks the cached image stale without changing what it shows.
    void invalidateFace();

    // What the last redraw asked for. Later changes to the fill, zero mode or
    // shift do not reach the face until the next redraw.
    struct Drawing {
        bool blank = true;
        int digitCount = 0;
        QString litText;
        OleColor unlitColour = kDigitUnlitColour;
        OleColor litColour = kDigitLitColour;
        QString face;
        int digitSize = 0;
    };
    const Drawing &drawing() const { return m_drawn; }

    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Shows `text` as the value with no zero rule, fill or shift.
    void showPlain(const QString &text);
    // The background with the unlit row, shared by every control drawn the same
    // way (the 60 fare cells share one).
    QImage unlitFace(const QSize &pixels, qreal dpr) const;

    OleColor m_unlitColour = kDigitUnlitColour;
    OleColor m_litColour = kDigitLitColour;
    qint16 m_fillZero = 0;
    qint16 m_zeroMode = 0;
    qint16 m_shift = 0;
    qint16 m_digitCount = kDefaultDigitCount;
    qint16 m_digitSize = 0;
    qint16 m_digitStyle = 0;
    QVariant m_value = 0;
    bool m_userEditable = true;
    bool m_blanked = false;
    OleColor m_backColour = kDigitBackColour;
    int m_scale = 1;

    Drawing m_drawn;
    QImage m_face;
    bool m_faceValid = false;
};

} // namespace lumina
