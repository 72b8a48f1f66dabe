#pragma once

#include "report/ScheduleReport.h"

namespace zeb {

enum class ReportFormat
{
    Pdf,
    Html,
    Xlsx,
};

// The format a report file's extension names: .pdf, .html and .htm, or .xlsx, in any letter case. Raises
// Error for any other.
ReportFormat reportFormat(const QString& path);

// Writes the report as PDF (.pdf), as an HTML page (.html, .htm) or as a spreadsheet (.xlsx), by the file's
// extension. Raises Error for another extension and IoError when the file cannot be written; nothing
// half-written is left.
// PDF needs a QGuiApplication, as writeReportPdf says.
void writeReport(const ScheduleReport& report, const QString& path);

} // namespace zeb
