#pragma once

#include <QString>
#include <QVariant>
#include <optional>

namespace zeb {

// An amount in roubles kept as whole kopecks, so that sums and products are exact.
class Money
{
public:
    constexpr Money() = default;
    static constexpr Money fromKopecks(qint64 kopecks) { return Money(kopecks); }

    // A value read from a money column: a decimal text ("12345.67", "12345,6"), an integer or a number
    // already rounded to kopecks. Empty when NULL or not an amount.
    static std::optional<Money> fromValue(const QVariant& value);
    // What an officer types: "12 345,67", "12345.6", "12345". Empty when it is not an amount.
    static std::optional<Money> parse(QStringView text);

    constexpr qint64 kopecks() const { return m_kopecks; }
    // The amount for `units` staff units (kept to hundredths), rounded half away from zero to kopecks.
    Money times(double units) const;

    // "12 345,67": groups of thousands by a no-break space and a decimal comma, as Russian documents write.
    QString toText() const;
    // "12345.67", for files that want a plain decimal.
    QString toPlainDecimal() const;

    constexpr Money& operator+=(Money other)
    {
        m_kopecks += other.m_kopecks;
        return *this;
    }
    friend constexpr Money operator+(Money a, Money b) { return a += b; }
    friend constexpr bool operator==(Money a, Money b) = default;

private:
    constexpr explicit Money(qint64 kopecks) : m_kopecks(kopecks) {}

    qint64 m_kopecks = 0;
};

// Staff units as the form prints them: hundredths, exact.
qint64 unitHundredths(double units);

} // namespace zeb
