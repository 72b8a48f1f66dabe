#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace zeb {

// Column totals over a list of rows that keeps each row's values, so that a row changing, coming or
// going costs that row alone. Values are kept in millionths: a total stays exact however often rows
// change, where doubles would drift with every subtract-and-add.
class RowTotals
{
public:
    static constexpr qint64 unit = 1'000'000;

    explicit RowTotals(int columns = 0);

    int rowCount() const { return m_rows; }

    // `rows` rows of zeros.
    void reset(int rows);
    // A row of zeros before `row`.
    void insertRow(int row);
    void removeRow(int row);
    // Non-finite values count as 0.
    void setValue(int row, int column, double value);

    // In millionths.
    qint64 total(int column) const { return qint64(m_totals[size_t(column)]); }
    // As a Russian workstation writes it: decimal comma, no trailing zeros ("12,75"); empty without rows.
    QString text(int column) const;

private:
    int m_columns;
    int m_rows = 0;
    // Row by row, column by column.
    std::vector<qint64> m_cells;
    // Unsigned, so that adding and taking away wrap instead of overflowing: a total is exact whenever the
    // true sum fits, whatever the order rows change in.
    std::vector<quint64> m_totals;
};

} // namespace zeb
