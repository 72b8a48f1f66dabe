#include "report/sheet/TablePdf.h"

#include "report/SavedFile.h"
#include "report/sheet/PdfDocument.h"
#include "report/sheet/SheetBlock.h"
#include "report/sheet/SheetMedium.h"
#include "report/sheet/SheetPainter.h"

#include <memory>
#include <vector>

namespace zeb {

namespace {

// A4 landscape in points.
const QSizeF sheetPoints(841.89, 595.28);

using SheetTables = std::vector<std::unique_ptr<SheetTable>>;

// Lays the rows out on sheets by their measured heights; nothing is drawn yet.
SheetLayout layOut(const TablePdf& pdf, const SheetStyle& style, const SheetTables& tables)
{
    const QRectF& body = style.body();
    const qreal header = pdf.header ? pdf.header->height() : 0;
    const qreal heading = tables.front()->headingHeight();
    SheetLayout layout(body.top() + header + heading, body.top() + heading, body.bottom());
    for (size_t part = 0; part < tables.size(); ++part) {
        const SheetTable& table = *tables[part];
        if (part > 0)
            layout.startTable(body.top() + table.headingHeight());
        pdf.tables[qsizetype(part)].rows(
            [&](const SheetRow& row) { layout.addRow(table.rowHeight(row), row.keepsWithNext()); });
    }
    layout.close(pdf.closing ? pdf.closing->height() : 0);
    return layout;
}

} // namespace

void writeTablePdf(SheetMedium& medium, const TablePdf& pdf, const QString& path)
{
    const SheetStyle& style = medium.style();
    SheetTables tables;
    for (const SheetTablePart& part : pdf.tables)
        tables.push_back(std::make_unique<SheetTable>(medium.device(), style, part.columns));
    const SheetLayout layout = layOut(pdf, style, tables);
    saveFile(path, [&](QIODevice& file) {
        PdfDocument document(file, sheetPoints, pdf.title);
        SheetPainter painter(document, medium.device(), style, layout, *tables.front());
        painter.drawHeader(pdf.header);
        for (size_t part = 0; part < tables.size(); ++part) {
            painter.setTable(*tables[part]);
            pdf.tables[qsizetype(part)].rows([&](const SheetRow& row) { painter.drawRow(row); });
        }
        painter.drawClosing(pdf.closing);
        document.finish();
    });
}

} // namespace zeb
