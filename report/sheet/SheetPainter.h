#pragma once

#include "report/sheet/FormClosing.h"
#include "report/sheet/FormHeader.h"
#include "report/sheet/SheetLayout.h"
#include "report/sheet/SheetTable.h"

#include <QPainter>

class QPagedPaintDevice;

namespace zeb {

// Draws the laid-out form sheet by sheet as its rows come: the header on the first sheet, the table's
// headings at the top of every sheet, the sheet's number in its footer, the closing block on the last.
class SheetPainter
{
public:
    SheetPainter(QPagedPaintDevice& device, const SheetStyle& style, const SheetLayout& layout,
                 const SheetTable& table);

    void drawHeader(const FormHeader& header);
    // Rows in the order they were laid out.
    void drawRow(const SheetRow& row);
    void drawClosing(const FormClosing& closing);

private:
    void beginSheet();
    void drawFooter();
    void finishSheet();

    QPagedPaintDevice& m_device;
    QPainter m_painter;
    SheetInk m_ink;
    const SheetStyle& m_style;
    const SheetLayout& m_layout;
    const SheetTable& m_table;
    int m_sheet = 0;
    int m_row = 0;
    qreal m_y = 0;
};

} // namespace zeb
