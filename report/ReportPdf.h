#pragma once

#include "report/ScheduleReport.h"

namespace zeb {

// The report's page (reportHtml) on A4 landscape sheets: the table's headings repeat on every sheet and
// each sheet is numbered. Raises IoError when the file cannot be written; nothing half-written is left.
// Fonts need a QGuiApplication (the offscreen platform will do).
void writeReportPdf(const ScheduleReport& report, const QString& path);

} // namespace zeb
