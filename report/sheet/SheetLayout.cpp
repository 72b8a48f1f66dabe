#include "report/sheet/SheetLayout.h"

#include <algorithm>

namespace zeb {

namespace {

// The last unit's total and the grand total.
constexpr int carriedRows = 2;

} // namespace

SheetLayout::SheetLayout(qreal firstTop, qreal top, qreal bottom)
    : m_firstTop(firstTop), m_top(top), m_bottom(bottom), m_used(firstTop)
{
}

void SheetLayout::addRow(qreal height, bool keepsWithNext)
{
    // A row taller than a sheet is cut at the sheet's end rather than pushing the rest away.
    height = std::min(height, m_bottom - m_top);
    const int row = int(m_heights.size());
    const int sheetStart = m_starts.empty() ? 0 : m_starts.back();
    if (m_used + height > m_bottom && row > sheetStart) {
        const bool carryPrevious = m_lastKeepsWithNext && row - 1 > sheetStart;
        m_starts.push_back(carryPrevious ? row - 1 : row);
        m_used = m_top + (carryPrevious ? qreal(m_heights.back()) : 0);
    }
    m_heights.push_back(float(height));
    m_used += height;
    m_lastKeepsWithNext = keepsWithNext;
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

bool SheetLayout::startsSheet(int row) const
{
    return std::binary_search(m_starts.begin(), m_starts.end(), row);
}

} // namespace zeb
