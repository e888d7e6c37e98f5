#include "base/Colors.h"

#include <QAbstractButton>
#include <QPalette>
#include <QWidget>

namespace lumina {

QColor toQColor(OleColor color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

OleColor fromQColor(const QColor &color)
{
    return OleColor(color.red()) | (OleColor(color.green()) << 8) | (OleColor(color.blue()) << 16);
}


void setBackColor(QWidget *widget, OleColor color)
{
    QPalette palette = widget->palette();
    const QColor c = toQColor(color);
    palette.setColor(QPalette::Window, c);
    palette.setColor(QPalette::Button, c);
    palette.setColor(QPalette::Base, c);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

OleColor backColor(const QWidget *widget)
{
    const QPalette::ColorRole role =
        qobject_cast<const QAbstractButton *>(widget) ? QPalette::Button : QPalette::Window;
    return fromQColor(widget->palette().color(role));
}

void setForeColor(QWidget *widget, OleColor color)
{
    QPalette palette = widget->palette();
    const QColor c = toQColor(color);
    palette.setColor(QPalette::WindowText, c);
    palette.setColor(QPalette::ButtonText, c);
    palette.setColor(QPalette::Text, c);
    widget->setPalette(palette);
}

OleColor foreColor(const QWidget *widget)
{
    const QPalette::ColorRole role =
        qobject_cast<const QAbstractButton *>(widget) ? QPalette::ButtonText : QPalette::WindowText;
    return fromQColor(widget->palette().color(role));
}

} // namespace lumina
