#pragma once

#include "report/vacancy/VacancyReport.h"

namespace zeb {

// The vacancies as one worksheet laid out as the HTML page: the lines with vacant units by unit, the lines
// occupied beyond their units, the totals per staff category and funding source; staff units as numbers
// with two decimals, so that a spreadsheet sums them. Raises IoError when the file cannot be written;
// nothing half-written is left.
void writeVacancyXlsx(const VacancyReport& report, const QString& path);

} // namespace zeb
