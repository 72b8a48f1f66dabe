#include "report/ReportPdf.h"

#include "report/SavedFile.h"
#include "report/sheet/HeapRetention.h"
#include "report/sheet/SheetPainter.h"

#include <QPdfWriter>

namespace zeb {

namespace {

// Lays the rows out on sheets by their measured heights; nothing is drawn yet.
SheetLayout layOut(const ScheduleReport& report, const SheetStyle& style, const SheetTable& table,
                   const FormHeader& header, const FormClosing& closing)
{
    const QRectF& body = style.body();
    SheetLayout layout(body.top() + header.height() + table.headingHeight(),
                       body.top() + table.headingHeight(), body.bottom());
    forEachFormRow(report, [&](const SheetRow& row) {
        layout.addRow(table.rowHeight(row), row.kind == SheetRow::Unit);
    });
    layout.close(closing.height());
    return layout;
}

} // namespace

void writeReportPdf(const ScheduleReport& report, const QString& path)
{
    const HeapRetention retention;
    saveFile(path, [&](QIODevice& file) {
        QPdfWriter writer(&file);
        // The margins are the sheet's own, so that the whole page is drawn on.
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
        writer.setTitle(QStringLiteral("Штатное расписание"));
        writer.setCreator(QStringLiteral("ZEB 7"));
        const SheetStyle style(writer);
        const SheetTable table(writer, style);
        const FormHeader header(writer, style, report);
        const FormClosing closing(writer, style, report);
        const SheetLayout layout = layOut(report, style, table, header, closing);

        SheetPainter painter(writer, style, layout, table);
        painter.drawHeader(header);
        forEachFormRow(report, [&](const SheetRow& row) { painter.drawRow(row); });
        painter.drawClosing(closing);
    });
}

} // namespace zeb
