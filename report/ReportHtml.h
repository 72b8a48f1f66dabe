#pragma once

#include "report/ScheduleReport.h"

namespace zeb {

// The report as one self-contained HTML page in the layout of the unified form T-3: the header (institution,
// codes, document number and date, approval, staff count, period), one table with the form's numbered
// columns, a row per unit, its lines and its total, the grand total, the count of lines without a salary
// and the signatures. Numbers and dates are written the Russian way.
QString reportHtml(const ScheduleReport& report);

// The same page as QTextDocument draws it on sheets: the grid is the tables' own, and the table is cut
// after a unit once it holds `rowsPerTable` rows, the next table starting a new sheet with the headings.
// One table of thousands of rows is laid out and drawn in time growing with the square of its size.
QString reportPaperHtml(const ScheduleReport& report, int rowsPerTable);

} // namespace zeb
