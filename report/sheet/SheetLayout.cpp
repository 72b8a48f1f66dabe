#include "report/sheet/SheetLayout.h"

#include <algorithm>

namespace zeb {

namespace {

// The last unit's total and the grand total.
constexpr int carriedRows = 2;

} // namespace

SheetLayout::SheetLayout(qreal firstTop, qreal top, qreal bottom)
    : m_firstTop(firstTop), m_firstTableTop(top), m_top(top), m_bottom(bottom), m_used(firstTop)
{
}

void SheetLayout::addRow(qreal height, bool keepsWithNext)
{
    // A row taller than a sheet is cut at the sheet's end rather than pushing the rest away.
    height = std::min(height, m_bottom - m_top);
    const int row = int(m_heights.size());
    const int sheetStart = m_starts.empty() ? 0 : m_starts.back();
    if (m_used + height > m_bottom && row > sheetStart) {
        // The rows kept with this one go over with it, unless they began the sheet or would not fit.
        const bool carry =
            m_keptRows > 0 && row - m_keptRows > sheetStart && m_top + m_keptHeight + height <= m_bottom;
        m_starts.push_back(carry ? row - m_keptRows : row);
        m_used = m_top + (carry ? m_keptHeight : 0);
    }
    m_heights.push_back(float(height));
    m_used += height;
    m_keptRows = keepsWithNext ? m_keptRows + 1 : 0;
    m_keptHeight = keepsWithNext ? m_keptHeight + qreal(m_heights.back()) : 0;
}

void SheetLayout::close(qreal height)
{
    if (m_used + height <= m_bottom)
        return;
    const int rows = rowCount();
    const int sheetStart = m_starts.empty() ? 0 : m_starts.back();
    const int carried = rows - carriedRows;
    qreal carriedHeight = 0;
    for (int row = carried; row < rows; ++row)
        carriedHeight += this->height(row);
    if (carried > sheetStart && m_top + carriedHeight + height <= m_bottom)
        m_starts.push_back(carried);
    else
        m_closingAlone = true;
}

void SheetLayout::startTable(qreal top)
{
    m_starts.push_back(rowCount());
    m_tableTops.emplace_back(int(m_starts.size()), top);
    m_top = top;
    m_used = top;
    m_keptRows = 0;
    m_keptHeight = 0;
}

qreal SheetLayout::rowsTop(int sheet) const
{
    if (sheet == 0)
        return m_firstTop;
    qreal top = m_firstTableTop;
    for (const auto& [firstSheet, tableTop] : m_tableTops) {
        if (firstSheet <= sheet)
            top = tableTop;
    }
    return top;
}

bool SheetLayout::startsSheet(int row) const
{
    return std::binary_search(m_starts.begin(), m_starts.end(), row);
}

} // namespace zeb
