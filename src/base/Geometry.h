#pragma once

#include <QRect>
#include <QRegion>

#include <cmath>

namespace lumina {

// Window layouts are given in twips; at the reference density of 96 dpi a pixel
// is 15 twips. Qt's own device-pixel scaling takes care of denser screens.
constexpr int kTwipsPerPixel = 15;

// Fare cells on the board, each with its ticket-number label, numbered 1..60.
constexpr int kCellCount = 60;

constexpr int px(qint64 twips)
{
    // Round half away from zero so that negative positions mirror positive ones.
    return int(twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                          : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel));
}

constexpr int twips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

inline QRect twipRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// Places a child widget at a layout position given in twips; returns it.
template<typename W>
W *place(W *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipRect(left, top, width, height));
    return widget;
}

// The region of a rectangle from (left, top) to (right, bottom), exclusive, with
// corners rounded by an ellipse of the given size: what the platform's
// rounded-rectangle region call makes.
QRegion roundRectRegion(int left, int top, int right, int bottom, int ellipseWidth,
                        int ellipseHeight);

} // namespace lumina
