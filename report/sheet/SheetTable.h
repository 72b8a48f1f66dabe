#pragma once

#include "report/sheet/FormRows.h"
#include "report/sheet/SheetStyle.h"
#include "report/sheet/WrappedText.h"

#include <array>

namespace zeb {

// The form's table across a sheet's width: the two rows of headings with the columns' numbers below, and
// rows of cells whose texts wrap within their columns, on a thin black grid.
class SheetTable
{
public:
    SheetTable(QPaintDevice& device, const SheetStyle& style);

    qreal headingHeight() const { return m_headingHeight + m_numbersHeight; }
    void drawHeading(SheetInk& ink, qreal top) const;

    // As tall as the cell with the most lines.
    qreal rowHeight(const SheetRow& row) const;
    void drawRow(SheetInk& ink, qreal top, qreal height, const SheetRow& row) const;

private:
    // Columns `first` to `last` as one cell.
    QRectF cell(int first, int last, qreal top, qreal height) const;
    QRectF inner(const QRectF& cell) const;
    const WrappedText& fontOf(const SheetRow& row) const;
    // The columns the row's first cell spans.
    static int firstSpan(const SheetRow& row);
    void drawGrid(SheetInk& ink, qreal top, qreal height, int spanned) const;
    // The headings from the top 0, laid out once for every sheet.
    void layOutHeading();
    void addHeadingCell(const QRectF& cell, const QString& text);

    const SheetStyle& m_style;
    std::array<qreal, formcolumns::Count + 1> m_edges{};
    WrappedText m_text;
    WrappedText m_bold;
    WrappedText m_heading;
    qreal m_headingHeight = 0;
    qreal m_allowancesHeight = 0;
    qreal m_numbersHeight = 0;
    SheetInk m_headingInk;
};

} // namespace zeb
