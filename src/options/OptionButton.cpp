#include "options/OptionButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace lumina {

namespace {
constexpr int kGraphicalMargin = 4;
constexpr Qt::TextFlag kWrap = Qt::TextWordWrap;
} // namespace

OptionButton::OptionButton(const QString &text, Look look, QWidget *parent)
    : QRadioButton(text, parent)
    , m_look(look)
{
}

QRect OptionButton::indicatorRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    QRect indicator = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this);
    // With a wrapped caption the indicator belongs to the first line, not the middle.
    const int firstLine = fontMetrics().height();
    if (height() > firstLine * 3 / 2)
        indicator.moveTop(qMax(0, (firstLine - indicator.height()) / 2));
    return indicator;
}

QRect OptionButton::textRect() const
{
    if (m_look == Look::Graphical)
        return rect().adjusted(kGraphicalMargin, kGraphicalMargin, -kGraphicalMargin,
                               -kGraphicalMargin);
    QStyleOptionButton option;
    initStyleOption(&option);
    const int left = style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this).left();
    QRect r = rect();
    r.setLeft(left);
    return r;
}

QSize OptionButton::sizeHint() const
{
    if (m_look == Look::Standard)
        return QRadioButton::sizeHint();
    const QSize text = fontMetrics().size(Qt::TextSingleLine, this->text());
    return text + QSize(4 * kGraphicalMargin, 4 * kGraphicalMargin);
}

bool OptionButton::hitButton(const QPoint &pos) const
{
    // The whole face answers, also the lines of a wrapped caption.
    return rect().contains(pos);
}

void OptionButton::paintEvent(QPaintEvent *)
{
    if (m_look == Look::Graphical)
        paintGraphical();
    else
        paintStandard();
}

void OptionButton::paintStandard()
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.rect = indicatorRect();
    painter.drawPrimitive(QStyle::PE_IndicatorRadioButton, option);

    const QRect area = textRect();
    const QRect needed = painter.fontMetrics().boundingRect(area, kWrap, text());
    const int flags = Qt::AlignLeft | kWrap
                      | (needed.height() > area.height() || needed.height() > fontMetrics().height()
                             ? Qt::AlignTop
                             : Qt::AlignVCenter);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::WindowText));
    painter.drawText(area, flags, text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.fontMetrics().boundingRect(area, flags, text()).adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void OptionButton::paintGraphical()
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    if (isChecked() || isDown()) {
        option.state |= QStyle::State_Sunken | QStyle::State_On;
        // Held down a shade darker, so the chosen one stands out in a column
        // of buttons that all look pressable.
        option.palette.setColor(QPalette::Button, palette().color(QPalette::Button).darker(118));
    } else {
        option.state |= QStyle::State_Raised;
    }
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText));
    QRect area = textRect();
    if (isChecked())
        area.translate(1, 1); // pressed in, like a held-down key
    painter.drawText(area, Qt::AlignCenter | kWrap, text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace lumina
