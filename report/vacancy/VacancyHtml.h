#pragma once

#include "report/vacancy/VacancyReport.h"

namespace zeb {

// The vacancies as one self-contained HTML page: per unit its lines with vacant units and the unit's
// figures; the lines occupied beyond their units apart ("Сверх штата"); the figures per staff category, per
// funding source and for the institution. Numbers and dates are written the Russian way.
QString vacancyHtml(const VacancyReport& report);

} // namespace zeb
