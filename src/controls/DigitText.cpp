#include "controls/DigitText.h"

#include <QMetaType>

#include <cmath>
#include <optional>

namespace lumina::digit {

namespace {

// Sign, digits, optionally a decimal point and more digits; blanks around it
// allowed. Deliberately narrower than a general number parser: no exponents,
// no "inf", no hex, so a row of letters can never turn into a number.
std::optional<double> parseNumber(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    if (t[0] == u'-' || t[0] == u'+')
        ++i;
    // A second point is left to toDouble() to refuse.
    qsizetype digits = 0;
    for (qsizetype k = i; k < t.size(); ++k) {
        const QChar c = t[k];
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (c != u'.')
            return std::nullopt;
    }
    if (digits == 0)
        return std::nullopt;
    bool ok; // the conversion always sets it
    const double d = t.toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

// Fifteen significant digits print every whole number below 10^15 in full,
// with no exponent, and drop the sign of a negative zero.
QString numberText(double d)
{
    return QString::number(d, 'g', 15);
}

bool isEmptyValue(const QVariant &value)
{
    return !value.isValid();
}

bool isNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

std::optional<double> numericValue(const QVariant &value)
{
    if (isNumber(value))
        return value.toDouble();
    if (value.typeId() == QMetaType::QString)
        return parseNumber(value.toString());
    return std::nullopt;
}

QString valueText(const QVariant &value)
{
    if (isEmptyValue(value))
        return QString();
    if (isNumber(value))
        return numberText(value.toDouble());
    return value.toString();
}

bool isZero(const QVariant &value)
{
    if (isEmptyValue(value))
        return true;
    const auto n = numericValue(value);
    return n && *n == 0.0;
}

bool isMinusOne(const QVariant &value)
{
    const auto n = numericValue(value);
    return n && *n == -1.0;
}

// Asked only of a value that is not zero, and so not empty either.
bool isEmptyText(const QVariant &value)
{
    return value.typeId() == QMetaType::QString && value.toString().isEmpty();
}

QVariant applyZeroRule(const QVariant &value, int zeroMode)
{
    switch (zeroMode) {
    case 0:
        if (isZero(value) || isEmptyText(value))
            return QString();
        break;
    case 1:
        if (isZero(value) || isEmptyText(value))
            return 0;
        break;
    case 2:
        if (isMinusOne(value))
            return 0;
        if (isZero(value))
            return QString();
        break;
    case 3:
        if (isMinusOne(value) || isZero(value) || isEmptyText(value))
            return 0;
        break;
    default:
        break;
    }
    return value;
}

QString applyFillZero(const QVariant &value, int fillZero)
{
    if (fillZero <= 0)
        return valueText(value);
    const auto n = numericValue(value);
    if (!n || !std::isfinite(*n))
        return valueText(value);
    // Whole digits only, as a pattern of zeros shows them: 1.5 -> "002".
    const double rounded = std::round(*n);
    const bool negative = rounded < 0.0;
    QString digits = numberText(std::abs(rounded));
    if (digits.size() < fillZero)
        digits.prepend(QString(fillZero - digits.size(), u'0'));
    return negative ? QLatin1Char('-') + digits : digits;
}

QString appendShift(const QString &text, int shift)
{
    if (shift <= 0)
        return text;
    return text + QString(shift, u' ');
}

} // namespace

QString displayText(const QVariant &value, int zeroMode, int fillZero, int shift)
{
    const QVariant v = applyZeroRule(value, zeroMode);
    return appendShift(applyFillZero(v, fillZero), shift);
}

QString rightmost(const QString &text, int digitCount)
{
    if (digitCount <= 0)
        return QString();
    return text.right(digitCount);
}

QString fareCellText(const QString &text, int digitCount)
{
    if (digitCount <= 0)
        return QString();
    if (text.size() >= digitCount)
        return text.right(digitCount);
    return QString(digitCount - text.size(), u' ') + text;
}

} // namespace lumina::digit
