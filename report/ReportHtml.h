#pragma once

#include "report/ScheduleReport.h"

namespace zeb {

// The report as one self-contained HTML page in the layout of the unified form T-3: the header (institution,
// codes, document number and date, approval, staff count, period), one table with the form's numbered
// columns, a row per unit, its lines and its total, the grand total, the count of lines without a salary
// and the signatures. Numbers and dates are written the Russian way.
QString reportHtml(const ScheduleReport& report);

} // namespace zeb
