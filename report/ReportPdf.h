#pragma once

#include "report/ScheduleReport.h"

namespace zeb {

// The report as the unified form T-3 on A4 landscape sheets: the form's header on the first sheet, the
// table's headings on every sheet, the signatures on the last, each sheet numbered "Лист N из M". Raises
// IoError when the file cannot be written; nothing half-written is left. Fonts need a QGuiApplication (the
// offscreen platform will do).
void writeReportPdf(const ScheduleReport& report, const QString& path);

} // namespace zeb
