#pragma once

#include "report/vacancy/VacancyReport.h"

namespace zeb {

// The vacancies on A4 landscape sheets as one table, in the page's order: the vacant lines by unit with the
// units' totals, the lines occupied beyond their units, then the totals by staff category and by funding
// source; the headings on every sheet, each sheet numbered "Лист N из M". Raises IoError when the file
// cannot be written; nothing half-written is left. Fonts need a QGuiApplication.
void writeVacancyPdf(const VacancyReport& report, const QString& path);

} // namespace zeb
