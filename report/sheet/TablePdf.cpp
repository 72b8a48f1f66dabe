#include "report/sheet/TablePdf.h"

#include "report/SavedFile.h"
#include "report/sheet/PdfDocument.h"
#include "report/sheet/SheetBlock.h"
#include "report/sheet/SheetMedium.h"
#include "report/sheet/SheetPainter.h"

namespace zeb {

namespace {

// A4 landscape in points.
const QSizeF sheetPoints(841.89, 595.28);

// Lays the rows out on sheets by their measured heights; nothing is drawn yet.
SheetLayout layOut(const TablePdf& pdf, const SheetStyle& style, const SheetTable& table)
{
    const QRectF& body = style.body();
    const qreal header = pdf.header ? pdf.header->height() : 0;
    SheetLayout layout(body.top() + header + table.headingHeight(), body.top() + table.headingHeight(),
                       body.bottom());
    pdf.rows([&](const SheetRow& row) { layout.addRow(table.rowHeight(row), row.keepsWithNext()); });
    layout.close(pdf.closing ? pdf.closing->height() : 0);
    return layout;
}

} // namespace

void writeTablePdf(SheetMedium& medium, const TablePdf& pdf, const QString& path)
{
    const SheetStyle& style = medium.style();
    const SheetTable table(medium.device(), style, pdf.columns);
    const SheetLayout layout = layOut(pdf, style, table);
    saveFile(path, [&](QIODevice& file) {
        PdfDocument document(file, sheetPoints, pdf.title);
        SheetPainter painter(document, medium.device(), style, layout, table);
        painter.drawHeader(pdf.header);
        pdf.rows([&](const SheetRow& row) { painter.drawRow(row); });
        painter.drawClosing(pdf.closing);
        document.finish();
    });
}

} // namespace zeb
