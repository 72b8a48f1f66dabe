#include "data/dataset/DecimalText.h"

#include "data/ResultCursor.h"

#include <QLocale>
#include <QtNumeric>
#include <charconv>
#include <cmath>

namespace zeb::decimal {

namespace {

// Beyond this an exponent would only spell out a number no column can hold.
constexpr int maxExponent = 1000;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

QByteArray plain(QByteArrayView text)
{
    const qsizetype size = text.size();
    qsizetype i = 0;
    bool negative = false;
    if (i < size && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    QByteArray digits;
    qsizetype point = -1;
    for (; i < size; ++i) {
        if (isDigit(text[i]))
            digits += text[i];
        else if (text[i] == '.' && point < 0)
            point = digits.size();
        else
            break;
    }
    if (digits.isEmpty())
        return {};
    if (point < 0)
        point = digits.size();
    if (i < size && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < size && (text[i] == '+' || text[i] == '-'))
            negativeExponent = text[i++] == '-';
        const qsizetype first = i;
        int exponent = 0;
        for (; i < size && isDigit(text[i]); ++i)
            exponent = qMin(exponent * 10 + (text[i] - '0'), maxExponent + 1);
        if (i == first || exponent > maxExponent)
            return {};
        point += negativeExponent ? -exponent : exponent;
    }
    if (i != size)
        return {};
    if (point < 0) {
        digits.prepend(QByteArray(-point, '0'));
        point = 0;
    }
    if (point > digits.size())
        digits.append(QByteArray(point - digits.size(), '0'));

    qsizetype lead = 0;
    while (lead < point && digits[lead] == '0')
        ++lead;
    qsizetype end = digits.size();
    while (end > point && digits[end - 1] == '0')
        --end;
    QByteArray result = lead == point ? QByteArrayLiteral("0") : digits.sliced(lead, point - lead);
    if (end > point)
        result += '.' + digits.sliced(point, end - point);
    if (negative && result != "0")
        result.prepend('-');
    return result;
}

QByteArray ofDouble(double value)
{
    if (!std::isfinite(value))
        return {};
    return plain(QByteArray::number(value, 'g', QLocale::FloatingPointShortest));
}

QByteArray ofVariant(const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return QByteArray::number(value.toLongLong());
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return QByteArray::number(value.toULongLong());
    case QMetaType::Float:
    case QMetaType::Double:
        return ofDouble(value.toDouble());
    case QMetaType::QByteArray:
        return plain(value.toByteArray());
    default:
        break;
    }
    return plain(value.toString().toUtf8());
}

QByteArray read(const ResultCursor& cursor, int column)
{
    const QByteArray text = cursor.utf8Text(column);
    const QByteArray exact = plain(text);
    if (exact.isEmpty())
        return QByteArray(text.constData(), text.size());
    const std::optional<double> printed = toDouble(exact);
    const double held = cursor.toDouble(column);
    if (printed && *printed != held) {
        if (QByteArray shortest = ofDouble(held); !shortest.isEmpty())
            return shortest;
    }
    return exact;
}

int scaleOf(QByteArrayView number)
{
    const qsizetype point = number.indexOf('.');
    return point < 0 ? 0 : int(number.size() - point - 1);
}

bool fits(QByteArrayView number, int precision, int scale)
{
    if (number.startsWith('-'))
        number = number.sliced(1);
    const qsizetype point = number.indexOf('.');
    const QByteArrayView whole = point < 0 ? number : number.first(point);
    const qsizetype wholeDigits = whole == "0" ? 0 : whole.size();
    return scaleOf(number) <= scale && wholeDigits <= precision - scale;
}

std::optional<qint64> toUnits(QByteArrayView number, int scale, qint64 limit)
{
    const bool negative = number.startsWith('-');
    qint64 units = 0;
    int decimals = -1;
    bool anyDigit = false;
    for (qsizetype i = negative ? 1 : 0; i < number.size(); ++i) {
        const char c = number[i];
        if (c == '.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (!isDigit(c) || (decimals >= 0 && ++decimals > scale))
            return std::nullopt;
        if (qMulOverflow(units, qint64(10), &units) || qAddOverflow(units, qint64(c - '0'), &units))
            return std::nullopt;
        anyDigit = true;
    }
    if (!anyDigit)
        return std::nullopt;
    for (int d = qMax(decimals, 0); d < scale; ++d) {
        if (qMulOverflow(units, qint64(10), &units))
            return std::nullopt;
    }
    if (units > limit)
        return std::nullopt;
    return negative ? -units : units;
}

QByteArray fromUnits(qint64 units, int scale)
{
    const bool negative = units < 0;
    QByteArray digits = QByteArray::number(negative ? 0 - quint64(units) : quint64(units));
    if (scale > 0) {
        if (digits.size() <= scale)
            digits.prepend(QByteArray(scale + 1 - digits.size(), '0'));
        digits.insert(digits.size() - scale, '.');
        qsizetype end = digits.size();
        while (digits[end - 1] == '0')
            --end;
        if (digits[end - 1] == '.')
            --end;
        digits.truncate(end);
    }
    if (negative && digits != "0")
        digits.prepend('-');
    return digits;
}

std::optional<double> toDouble(QByteArrayView number)
{
    double value = 0;
    const auto [end, error] = std::from_chars(number.begin(), number.end(), value);
    if (error != std::errc() || end != number.end())
        return std::nullopt;
    return value;
}

QByteArray rounded(QByteArrayView number, int decimals)
{
    const qsizetype point = number.indexOf('.');
    if (point < 0 || number.size() - point - 1 <= decimals)
        return number.toByteArray();
    const bool negative = number.startsWith('-');
    const qsizetype sign = negative ? 1 : 0;
    qsizetype whole = point - sign;
    QByteArray digits =
        number.sliced(sign, whole).toByteArray() + number.sliced(point + 1, decimals).toByteArray();
    if (number[point + 1 + decimals] >= '5') {
        qsizetype k = digits.size() - 1;
        while (k >= 0 && digits[k] == '9')
            digits[k--] = '0';
        if (k < 0) {
            digits.prepend('1');
            ++whole;
        } else {
            ++digits[k];
        }
    }
    return decimal::plain((negative ? QByteArrayLiteral("-") : QByteArray()) + digits.left(whole) + '.' +
                          digits.mid(whole));
}

} // namespace zeb::decimal
