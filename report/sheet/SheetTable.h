#pragma once

#include "report/sheet/SheetColumns.h"
#include "report/sheet/SheetRow.h"
#include "report/sheet/SheetStyle.h"
#include "report/sheet/WrappedText.h"

#include <vector>

namespace zeb {

// A table across a sheet's width: the columns' headings (a group's heading over its columns, the columns'
// numbers below when asked), and rows of cells whose texts wrap within their columns, on a thin black grid.
class SheetTable
{
public:
    SheetTable(QPaintDevice& device, const SheetStyle& style, SheetColumns columns);

    qreal headingHeight() const { return m_headingHeight + m_numbersHeight; }
    void drawHeading(SheetInk& ink, qreal top) const;

    // As tall as the cell with the most lines.
    qreal rowHeight(const SheetRow& row) const;
    void drawRow(SheetInk& ink, qreal top, qreal height, const SheetRow& row) const;

private:
    int count() const { return m_columns.count(); }
    // Columns `first` to `last` as one cell.
    QRectF cell(int first, int last, qreal top, qreal height) const;
    QRectF inner(const QRectF& cell) const;
    const WrappedText& fontOf(const SheetRow& row) const;
    // The columns the row's first cell spans.
    int firstSpan(const SheetRow& row) const;
    Qt::Alignment alignmentOf(const SheetRow& row, int column) const;
    static const QString& textOf(const SheetRow& row, int column);
    void drawGrid(SheetInk& ink, qreal top, qreal height, int spanned) const;
    // The group the column stands under, or -1.
    int groupOf(int column) const;
    // The headings from the top 0, laid out once for every sheet.
    void measureHeading();
    void layOutHeading();
    void addHeadingCell(const QRectF& cell, const QString& text);

    const SheetStyle& m_style;
    SheetColumns m_columns;
    std::vector<qreal> m_edges;
    WrappedText m_text;
    WrappedText m_bold;
    WrappedText m_heading;
    qreal m_headingHeight = 0;
    // Each group's own heading's height.
    std::vector<qreal> m_groupHeights;
    qreal m_numbersHeight = 0;
    SheetInk m_headingInk;
};

} // namespace zeb
