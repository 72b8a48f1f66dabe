#pragma once

#include "report/sheet/SheetLayout.h"
#include "report/sheet/SheetTable.h"

namespace zeb {

class PdfDocument;
class SheetBlock;

// Draws the laid-out table sheet by sheet as its rows come, each sheet written to the document as soon as
// it is full: the header on the first sheet, the table's headings at the top of every sheet, the sheet's
// number in its footer, the closing block on the last.
class SheetPainter
{
public:
    SheetPainter(PdfDocument& document, QPaintDevice& device, const SheetStyle& style,
                 const SheetLayout& layout, const SheetTable& table);

    // None when null.
    void drawHeader(const SheetBlock* header);
    // The table the next rows belong to; a table after the first begins a sheet, as laid out.
    void setTable(const SheetTable& table) { m_table = &table; }
    // Rows in the order they were laid out.
    void drawRow(const SheetRow& row);
    // Ends the last sheet, with the block when there is one.
    void drawClosing(const SheetBlock* closing);

private:
    void beginSheet();
    void drawFooter();
    void finishSheet();

    PdfDocument& m_document;
    const SheetStyle& m_style;
    const SheetLayout& m_layout;
    const SheetTable* m_table;
    WrappedText m_footer;
    SheetInk m_ink;
    // Points to a pixel of the layout.
    qreal m_scale;
    int m_sheet = 0;
    int m_row = 0;
    qreal m_y = 0;
};

} // namespace zeb
