#pragma once

#include <QString>
#include <QVariant>

// The text a digit display lights, worked out from its value and settings. No
// pixels here: the controls hand the result to their painter.
//
// A value is a QVariant: invalid for "empty", a number, or a text.
namespace lumina::digit {

// Zero rule, zero fill and shift in that order: the text before it is fitted to
// the positions of a display.
//
// Zero rules (mode 0..3, any other leaves the value alone): an empty value is
// zero and empty text; a text counts by the number it reads as ("12", " -5 ",
// "1.5"; no exponents, no hex), any other text is neither. Zero fill: a number
// or numeric text becomes at least `fillZero` whole digits with leading zeros,
// the minus sign in front ("-5", 3 -> "-005"). Then `shift` spaces appended.
QString displayText(const QVariant &value, int zeroMode, int fillZero, int shift);

// The rightmost `digitCount` characters (all of a shorter text; none for a
// count of 0 or less).
QString rightmost(const QString &text, int digitCount);
// The lit text of a fare cell: exactly `digitCount` characters, the rightmost
// ones of a longer text or the text behind leading spaces.
QString fareCellText(const QString &text, int digitCount);

} // namespace lumina::digit
