#pragma once

#include <QString>
#include <QVariant>

#include <optional>

// The text a digit display lights, worked out from its value and settings. No
// pixels here: the controls hand the result to their painter.
//
// A value is a QVariant: invalid for "empty", a number, or a text.
namespace lumina::digit {

// True for an empty value (an invalid QVariant).
bool isEmptyValue(const QVariant &value);
// True for a value of a numeric type (not a text).
bool isNumber(const QVariant &value);
// The number a value stands for: a number, or a text that reads as one
// ("12", " -5 ", "1.5"). Empty values and other texts give nothing.
std::optional<double> numericValue(const QVariant &value);
// The value as the text that would be shown (empty value -> "").
QString valueText(const QVariant &value);

// The zero tests of the zero rules. An empty value is zero and empty text; a
// text counts by the number it reads as, any other text is neither.
bool isZero(const QVariant &value);
bool isMinusOne(const QVariant &value);
bool isEmptyText(const QVariant &value);

// Zero rule of the given mode (0..3); any other mode leaves the value alone.
QVariant applyZeroRule(const QVariant &value, int zeroMode);
// Zero fill: a number (or numeric text) becomes at least `fillZero` digits
// with leading zeros, the minus sign in front ("-5", 3 -> "-005"). Other
// values, and a fill of 0 or less, give the plain text.
QString applyFillZero(const QVariant &value, int fillZero);
// `shift` spaces appended (nothing for 0 or less).
QString appendShift(const QString &text, int shift);

// Zero rule, zero fill and shift in that order: the text before it is fitted to
// the positions of a display.
QString displayText(const QVariant &value, int zeroMode, int fillZero, int shift);

// The rightmost `digitCount` characters (all of a shorter text; none for a
// count of 0 or less).
QString rightmost(const QString &text, int digitCount);
// The lit text of a fare cell: exactly `digitCount` characters, the rightmost
// ones of a longer text or the text behind leading spaces.
QString fareCellText(const QString &text, int digitCount);

} // namespace lumina::digit
