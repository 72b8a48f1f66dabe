#include "report/Money.h"

#include <QRegularExpression>
#include <cmath>

namespace zeb {

namespace {

// Kopecks of a decimal text with at most two decimals; a sign is allowed, thousands separators are not.
std::optional<qint64> kopecksOf(QStringView text)
{
    static const QRegularExpression amount(QStringLiteral("^([-+]?)(\\d{1,15})(?:[.,](\\d{0,2}))?$"));
    const QRegularExpressionMatch match = amount.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    qint64 kopecks = match.capturedView(2).toLongLong() * 100;
    const QString fraction = match.captured(3).leftJustified(2, u'0');
    kopecks += fraction.toLongLong();
    return match.capturedView(1) == u"-" ? -kopecks : kopecks;
}

} // namespace

std::optional<Money> Money::fromValue(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double number = value.toDouble();
        if (!std::isfinite(number))
            return std::nullopt;
        return Money(std::llround(number * 100));
    }
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return Money(value.toLongLong() * 100);
    default: {
        const QString text = value.toString().trimmed();
        if (const std::optional<qint64> kopecks = kopecksOf(text))
            return Money(*kopecks);
        // A numeric column may answer with more decimals than it keeps ("12345.6700").
        bool ok = false;
        const double number = text.toDouble(&ok);
        if (!ok || !std::isfinite(number))
            return std::nullopt;
        return Money(std::llround(number * 100));
    }
    }
}

std::optional<Money> Money::parse(QStringView text)
{
    QString plain = text.trimmed().toString();
    plain.remove(u' ');
    plain.remove(QChar(0x00A0));
    plain.remove(QChar(0x202F));
    if (const std::optional<qint64> kopecks = kopecksOf(plain))
        return Money(*kopecks);
    return std::nullopt;
}

Money Money::times(double units) const
{
    // Both factors are exact integers; the product of kopecks and hundredths is rounded once.
    const qint64 product = m_kopecks * unitHundredths(units);
    const qint64 rounded = (std::abs(product) + 50) / 100;
    return Money(product < 0 ? -rounded : rounded);
}

QString Money::toText() const
{
    const qint64 whole = std::abs(m_kopecks) / 100;
    const qint64 cents = std::abs(m_kopecks) % 100;
    QString digits = QString::number(whole);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QChar(0x00A0));
    return QStringLiteral("%1%2,%3")
        .arg(m_kopecks < 0 ? QStringLiteral("-") : QString(), digits)
        .arg(cents, 2, 10, QLatin1Char('0'));
}

QString Money::toPlainDecimal() const
{
    const qint64 whole = std::abs(m_kopecks) / 100;
    const qint64 cents = std::abs(m_kopecks) % 100;
    return QStringLiteral("%1%2.%3")
        .arg(m_kopecks < 0 ? QStringLiteral("-") : QString())
        .arg(whole)
        .arg(cents, 2, 10, QLatin1Char('0'));
}

qint64 unitHundredths(double units)
{
    return std::llround(units * 100);
}

} // namespace zeb
