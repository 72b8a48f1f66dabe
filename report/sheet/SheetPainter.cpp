#include "report/sheet/SheetPainter.h"

#include <QPagedPaintDevice>

namespace zeb {

SheetPainter::SheetPainter(QPagedPaintDevice& device, const SheetStyle& style, const SheetLayout& layout,
                           const SheetTable& table)
    : m_device(device), m_painter(&device), m_ink(&m_painter), m_style(style), m_layout(layout),
      m_table(table)
{
    m_painter.setPen(QPen(Qt::black, style.gridWidth()));
}

void SheetPainter::drawHeader(const FormHeader& header)
{
    header.draw(m_ink);
    m_y = m_style.body().top() + header.height();
    m_table.drawHeading(m_painter, m_ink, m_y);
    drawFooter();
    m_y = m_layout.rowsTop(0);
}

void SheetPainter::finishSheet()
{
    m_ink.flush();
}

void SheetPainter::beginSheet()
{
    finishSheet();
    m_device.newPage();
    ++m_sheet;
    drawFooter();
    m_table.drawHeading(m_painter, m_ink, m_style.body().top());
    m_y = m_layout.rowsTop(m_sheet);
}

void SheetPainter::drawFooter()
{
    m_painter.setFont(m_style.small());
    m_painter.drawText(m_style.footer(), Qt::AlignRight | Qt::AlignBottom,
                       QStringLiteral("Лист %1 из %2").arg(m_sheet + 1).arg(m_layout.sheetCount()));
}

void SheetPainter::drawRow(const SheetRow& row)
{
    if (m_layout.startsSheet(m_row))
        beginSheet();
    const qreal height = m_layout.height(m_row);
    m_table.drawRow(m_painter, m_ink, m_y, height, row);
    m_y += height;
    ++m_row;
}

void SheetPainter::drawClosing(const FormClosing& closing)
{
    if (m_layout.closingAlone()) {
        finishSheet();
        m_device.newPage();
        ++m_sheet;
        drawFooter();
        m_y = m_style.body().top();
    }
    closing.draw(m_ink, m_y);
    finishSheet();
}

} // namespace zeb
