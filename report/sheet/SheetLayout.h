#pragma once

#include <QtGlobal>
#include <utility>
#include <vector>

namespace zeb {

// Which sheet each row of the table falls on. Rows are measured before anything is drawn, so that every
// sheet can say how many there are; only the rows' heights are kept.
class SheetLayout
{
public:
    // Rows start at `firstTop` on the first sheet (below the form's header), at `top` on the others, and
    // end at `bottom`.
    SheetLayout(qreal firstTop, qreal top, qreal bottom);

    // A row that `keepsWithNext` (a unit's name, a part's caption) never ends a sheet, nor do several such
    // rows in a row.
    void addRow(qreal height, bool keepsWithNext);
    // The rows after this begin a sheet of their own under another table's headings, at `top`.
    void startTable(qreal top);
    // The block after the table goes whole on the last sheet; when the rows leave too little room, the last
    // rows go over with it, so that it never stands without the table.
    void close(qreal height);

    int sheetCount() const { return int(m_starts.size()) + (m_closingAlone ? 1 : 0) + 1; }
    int rowCount() const { return int(m_heights.size()); }
    qreal height(int row) const { return qreal(m_heights[size_t(row)]); }
    // Whether `row` is the first of a sheet after the first.
    bool startsSheet(int row) const;
    bool closingAlone() const { return m_closingAlone; }
    qreal rowsTop(int sheet) const;

private:
    qreal m_firstTop;
    // On the first table's sheets after the first.
    qreal m_firstTableTop;
    // On the current table's sheets.
    qreal m_top;
    qreal m_bottom;
    std::vector<float> m_heights;
    // The first rows of the sheets after the first, ascending.
    std::vector<int> m_starts;
    // Where the rows start on the sheets of each table after the first, from the sheet it begins on.
    std::vector<std::pair<int, qreal>> m_tableTops;
    qreal m_used = 0;
    // The last rows that keep with the next one: how many, how tall.
    int m_keptRows = 0;
    qreal m_keptHeight = 0;
    bool m_closingAlone = false;
};

} // namespace zeb
