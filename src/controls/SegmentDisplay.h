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
// double-click event. The face is kept in a cached image that is rebuilt only after a
// property that redraws has changed (or the size); paintEvent copies it.
class SegmentDisplay : public QWidget
{
    Q_OBJECT

public:
    static constexpr OleColor kDefaultBaseForeColor = kDigitUnlitColour;
    static constexpr OleColor kDefaultDegitForeColor = kDigitLitColour;
    static constexpr OleColor kDefaultBackColor = kDigitBackColour;
    static constexpr qint16 kDefaultKeta = 4;

    // Members in the order of the control's interface.

    // Digit settings dialog of the host. Stores the dialog's zero mode, shift
    // and fill as it left them (whatever the result), redraws, and returns the
    // dialog's result (1 = confirmed).
    int ShowSetDlg();

    OleColor BaseForeColor() const { return m_baseForeColor; }
    void setBaseForeColor(OleColor color);
    OleColor DegitForeColor() const { return m_degitForeColor; }
    void setDegitForeColor(OleColor color);
    qint16 FillZero() const { return m_fillZero; }
    void setFillZero(qint16 fillZero);
    qint16 ZeroMode() const { return m_zeroMode; }
    void setZeroMode(qint16 zeroMode);
    qint16 Shift() const { return m_shift; }
    void setShift(qint16 shift);
    qint16 Keta() const { return m_keta; }
    void setKeta(qint16 keta);
    qint16 DegitSize() const { return m_degitSize; }
    void setDegitSize(qint16 degitSize);
    qint16 DegitStyle() const { return m_degitStyle; }
    void setDegitStyle(qint16 degitStyle);
    // Kept exactly as assigned; assigning always redraws, which is how
    // containers bring FillZero, ZeroMode and Shift changes onto the face.
    QVariant Value() const { return m_value; }
    void setValue(const QVariant &value);
    // Every position lit (true) or every position blank (false), keeping the
    // zero mode, shift and fill.
    void ResetDegit(bool nMode);
    bool UserSet() const { return m_userSet; }
    void setUserSet(bool userSet);
    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor color);

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
    QString litText() const { return m_drawn.lit; }

signals:
    void DblClick();

protected:
    explicit SegmentDisplay(QWidget *parent);

    // Differences between the two controls.
    virtual qint16 ketaRule(qint16 keta) const = 0;
    virtual qint16 degitSizeRule(qint16 degitSize) const = 0;
    virtual bool shiftRedraws() const = 0;
    // Called after Keta or DegitSize has changed, before the redraw.
    virtual void applySize() {}
    // The lit text for the positions, from the text after zero rule, fill, shift.
    virtual QString fitText(const QString &text, int keta) const = 0;
    // Paints one layer of the row onto the face, in pixels: the unlit "8" in
    // every position, or the lit text over it.
    enum class Layer { Unlit, Lit };
    virtual void paintDigits(QPainter &painter, const QSize &size, Layer layer) const = 0;

    // Records what the face is to show from the current properties and marks the
    // cached image stale.
    void redraw();
    // Marks the cached image stale without changing what it shows.
    void invalidateFace();

    // What the last redraw asked for. Later changes to FillZero, ZeroMode or
    // Shift do not reach the face until the next redraw.
    struct Drawing {
        bool blank = true;
        int keta = 0;
        QString lit;
        OleColor base = kDefaultBaseForeColor;
        OleColor digit = kDefaultDegitForeColor;
        QString face;
        int degitSize = 0;
    };
    const Drawing &drawing() const { return m_drawn; }

    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The background with the unlit row, shared by every control drawn the same
    // way (the 60 fare cells share one).
    QImage unlitFace(const QSize &pixels, qreal dpr) const;

    OleColor m_baseForeColor = kDefaultBaseForeColor;
    OleColor m_degitForeColor = kDefaultDegitForeColor;
    qint16 m_fillZero = 0;
    qint16 m_zeroMode = 0;
    qint16 m_shift = 0;
    qint16 m_keta = kDefaultKeta;
    qint16 m_degitSize = 0;
    qint16 m_degitStyle = 0;
    QVariant m_value = 0;
    bool m_userSet = true;
    OleColor m_backColor = kDefaultBackColor;
    int m_scale = 1;

    Drawing m_drawn;
    QImage m_face;
    bool m_faceValid = false;
};

} // namespace lumina
