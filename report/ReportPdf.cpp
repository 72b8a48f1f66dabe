#include "report/ReportPdf.h"

#include "report/sheet/FormClosing.h"
#include "report/sheet/FormHeader.h"
#include "report/sheet/FormRows.h"
#include "report/sheet/SheetMedium.h"

namespace zeb {

void writeReportPdf(const ScheduleReport& report, const QString& path)
{
    SheetMedium medium;
    const FormHeader header(medium, report);
    const FormClosing closing(medium, report);
    const TablePdf pdf{
        QStringLiteral("Штатное расписание"),
        {{formSheetColumns(), [&](const SheetRowVisitor& visit) { forEachFormRow(report, visit); }}},
        &header,
        &closing};
    writeTablePdf(medium, pdf, path);
}

} // namespace zeb
