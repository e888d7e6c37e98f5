#pragma once

#include <QColor>

#include <array>
#include <cstdint>

class QWidget;

namespace lumina {

// A colour as stored and passed everywhere: 0x00BBGGRR, red in the low byte.
using OleColor = std::uint32_t;
using CustomColors = std::array<OleColor, 17>;

constexpr OleColor rgb(int red, int green, int blue)
{
    return OleColor(red & 0xFF) | (OleColor(green & 0xFF) << 8) | (OleColor(blue & 0xFF) << 16);
}

// The segment digits' colours (fare cells, clock, preview) until the options
// choose others.
inline constexpr OleColor kDigitBackColour = rgb(128, 128, 128);
inline constexpr OleColor kDigitUnlitColour = rgb(150, 150, 150);
inline constexpr OleColor kDigitLitColour = rgb(248, 210, 114);

QColor toQColor(OleColor color);
OleColor fromQColor(const QColor &color);

// Background and text colour of a plain widget, kept in its palette so that the
// value set is the value read back.
void setBackColor(QWidget *widget, OleColor color);
OleColor backColor(const QWidget *widget);
void setForeColor(QWidget *widget, OleColor color);
OleColor foreColor(const QWidget *widget);

} // namespace lumina
