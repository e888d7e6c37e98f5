#pragma once

#include <QRadioButton>

namespace lumina {

// An option button whose caption wraps onto further lines when it does not fit
// its width, in one of two looks: the usual round indicator with text, or a
// push button that stays pressed while chosen (the tab strip of the options
// dialog). The caption stays the plain text the button was given.
class OptionButton : public QRadioButton
{
    Q_OBJECT

public:
    enum class Look { Standard, Graphical };

    OptionButton(const QString &text, Look look, QWidget *parent = nullptr);

    Look look() const { return m_look; }
    QSize sizeHint() const override;
    // Where the caption is drawn, wrapped at words.
    QRect textRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QRect indicatorRect() const;
    void paintStandard();
    void paintGraphical();

    Look m_look;
};

} // namespace lumina
