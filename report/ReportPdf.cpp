#include "report/ReportPdf.h"

#include "report/SavedFile.h"
#include "report/sheet/PdfDocument.h"
#include "report/sheet/SheetPainter.h"

#include <QImage>

namespace zeb {

namespace {

// The layout's pixels: fine enough that rounding never shows.
constexpr int dotsPerInch = 1200;
// A4 landscape in points.
const QSizeF sheetPoints(841.89, 595.28);

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
    // Texts are measured as on a device of the sheets' resolution; the image itself is never drawn on.
    QImage device(1, 1, QImage::Format_Mono);
    device.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    device.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    const SheetStyle style(device);
    const SheetTable table(device, style);
    const FormHeader header(device, style, report);
    const FormClosing closing(device, style, report);
    const SheetLayout layout = layOut(report, style, table, header, closing);
    saveFile(path, [&](QIODevice& file) {
        PdfDocument document(file, sheetPoints, QStringLiteral("Штатное расписание"));
        SheetPainter painter(document, device, style, layout, table);
        painter.drawHeader(header);
        forEachFormRow(report, [&](const SheetRow& row) { painter.drawRow(row); });
        painter.drawClosing(closing);
        document.finish();
    });
}

} // namespace zeb
