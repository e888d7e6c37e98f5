#pragma once

#include "hostlib/HostLib.h"

#include <QColor>

class QWidget;

namespace lumina {

constexpr OleColor rgb(int red, int green, int blue)
{
    return OleColor(red & 0xFF) | (OleColor(green & 0xFF) << 8) | (OleColor(blue & 0xFF) << 16);
}

QColor toQColor(OleColor color);
OleColor fromQColor(const QColor &color);

// Background and text colour of a plain widget, kept in its palette so that the
// value set is the value read back.
void setBackColor(QWidget *widget, OleColor color);
OleColor backColor(const QWidget *widget);
void setForeColor(QWidget *widget, OleColor color);
OleColor foreColor(const QWidget *widget);

} // namespace lumina
