#include "controls/RowTotals.h"

#include <algorithm>
#include <cmath>

namespace zeb {

namespace {

// The digits of a millionth.
constexpr int decimals = 6;

qint64 millionths(double value)
{
    // Far beyond any line of a schedule, and still held in millionths.
    constexpr double limit = 9e12;
    if (!std::isfinite(value))
        return 0;
    return std::llround(std::clamp(value, -limit, limit) * double(RowTotals::unit));
}

} // namespace

RowTotals::RowTotals(int columns) : m_columns(columns), m_totals(size_t(columns), 0) {}

void RowTotals::reset(int rows)
{
    m_rows = rows;
    m_cells.assign(size_t(rows) * size_t(m_columns), 0);
    std::fill(m_totals.begin(), m_totals.end(), 0);
}

void RowTotals::insertRow(int row)
{
    m_cells.insert(m_cells.begin() + qsizetype(row) * m_columns, size_t(m_columns), 0);
    ++m_rows;
}

void RowTotals::removeRow(int row)
{
    const auto first = m_cells.begin() + qsizetype(row) * m_columns;
    for (int column = 0; column < m_columns; ++column)
        m_totals[size_t(column)] -= quint64(first[column]);
    m_cells.erase(first, first + m_columns);
    --m_rows;
}

void RowTotals::setValue(int row, int column, double value)
{
    qint64& cell = m_cells[size_t(row) * size_t(m_columns) + size_t(column)];
    const qint64 now = millionths(value);
    m_totals[size_t(column)] += quint64(now) - quint64(cell);
    cell = now;
}

QString RowTotals::text(int column) const
{
    if (m_rows == 0)
        return {};
    const qint64 sum = total(column);
    const quint64 magnitude = sum < 0 ? 0 - quint64(sum) : quint64(sum);
    QString text = QString::number(magnitude / quint64(unit));
    quint64 fraction = magnitude % quint64(unit);
    if (fraction != 0) {
        int digits = decimals;
        for (; fraction % 10 == 0; fraction /= 10)
            --digits;
        text += QLatin1Char(',') + QStringLiteral("%1").arg(fraction, digits, 10, QLatin1Char('0'));
    }
    return sum < 0 ? QLatin1Char('-') + text : text;
}

} // namespace zeb
