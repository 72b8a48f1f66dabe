#include "report/ReportPdf.h"

#include "report/ReportHtml.h"
#include "report/SavedFile.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace zeb {

namespace {

constexpr qreal marginMillimetres = 10;
// About twenty sheets: a table that long is still laid out and drawn quickly.
constexpr int rowsPerTable = 800;

QFont footerFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(7);
    return font;
}

// Draws the document laid out in sheets of `sheet` size, each with its number in the footer below.
void drawSheets(QPdfWriter& writer, QTextDocument& document, const QSizeF& sheet, qreal footerHeight)
{
    QPainter painter(&writer);
    const int sheets = document.pageCount();
    for (int index = 0; index < sheets; ++index) {
        if (index > 0)
            writer.newPage();
        painter.save();
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(QPointF(0, index * sheet.height()), sheet);
        painter.translate(0, -context.clip.top());
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        painter.setFont(footerFont());
        painter.drawText(QRectF(0, sheet.height(), sheet.width(), footerHeight),
                         Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("Лист %1 из %2").arg(index + 1).arg(sheets));
    }
}

} // namespace

void writeReportPdf(const ScheduleReport& report, const QString& path)
{
    const QString html = reportPaperHtml(report, rowsPerTable);
    saveFile(path, [&](QIODevice& file) {
        QPdfWriter writer(&file);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                        QMarginsF(marginMillimetres, marginMillimetres, marginMillimetres, marginMillimetres),
                        QPageLayout::Millimeter));
        writer.setTitle(QStringLiteral("Штатное расписание"));
        writer.setCreator(QStringLiteral("ZEB 7"));
        const QSizeF area = writer.pageLayout().paintRectPixels(writer.resolution()).size();
        const qreal footerHeight = 2 * QFontMetricsF(footerFont(), &writer).height();
        const QSizeF sheet(area.width(), area.height() - footerHeight);

        QTextDocument document;
        // Laid out for the writer, so that points and the table's widths are those of the sheet; the sheet
        // size comes before the text, so that the text is laid out once. The tables' <thead> rows are their
        // header rows, which the layout repeats on every sheet a table runs onto.
        document.documentLayout()->setPaintDevice(&writer);
        document.setDocumentMargin(0);
        document.setPageSize(sheet);
        document.setHtml(html);
        drawSheets(writer, document, sheet, footerHeight);
    });
}

} // namespace zeb
