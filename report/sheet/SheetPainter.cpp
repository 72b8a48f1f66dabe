#include "report/sheet/SheetPainter.h"

#include "report/sheet/PdfDocument.h"
#include "report/sheet/SheetBlock.h"

#include <QPaintDevice>

namespace zeb {

SheetPainter::SheetPainter(PdfDocument& document, QPaintDevice& device, const SheetStyle& style,
                           const SheetLayout& layout, const SheetTable& table)
    : m_document(document), m_style(style), m_layout(layout), m_table(&table),
      m_footer(device, style.small()), m_scale(72.0 / device.logicalDpiY())
{
}

void SheetPainter::drawHeader(const SheetBlock* header)
{
    m_y = m_style.body().top();
    if (header) {
        header->draw(m_ink, m_y);
        m_y += header->height();
    }
    m_table->drawHeading(m_ink, m_y);
    drawFooter();
    m_y = m_layout.rowsTop(0);
}

void SheetPainter::finishSheet()
{
    m_ink.flush(m_document, m_scale, m_style.gridWidth());
}

void SheetPainter::beginSheet()
{
    finishSheet();
    ++m_sheet;
    drawFooter();
    m_table->drawHeading(m_ink, m_style.body().top());
    m_y = m_layout.rowsTop(m_sheet);
}

void SheetPainter::drawFooter()
{
    const QRectF footer = m_style.footer();
    m_footer.draw(m_ink, footer.adjusted(0, footer.height() - m_footer.lineHeight(), 0, 0), Qt::AlignRight,
                  QStringLiteral("Лист %1 из %2").arg(m_sheet + 1).arg(m_layout.sheetCount()));
}

void SheetPainter::drawRow(const SheetRow& row)
{
    if (m_layout.startsSheet(m_row))
        beginSheet();
    const qreal height = m_layout.height(m_row);
    m_table->drawRow(m_ink, m_y, height, row);
    m_y += height;
    ++m_row;
}

void SheetPainter::drawClosing(const SheetBlock* closing)
{
    if (closing && m_layout.closingAlone()) {
        finishSheet();
        ++m_sheet;
        drawFooter();
        m_y = m_style.body().top();
    }
    if (closing)
        closing->draw(m_ink, m_y);
    finishSheet();
}

} // namespace zeb
