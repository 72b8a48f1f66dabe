#pragma once

#include "report/ScheduleReport.h"

namespace zeb {

// The report as a spreadsheet in the layout of the unified form T-3, sheet "Штатное расписание": the form's
// header, the numbered columns with their headings repeated on every printed page, a row per unit, its lines
// and its total, the grand total and the signatures. Numbers are numbers, texts stay texts, and the totals
// and column 9 are formulas that follow the officer's edits. Raises IoError when the file cannot be written;
// nothing half-written is left.
void writeReportXlsx(const ScheduleReport& report, const QString& path);

} // namespace zeb
