#pragma once

#include "report/vacancy/VacancyReport.h"

namespace zeb {

// Raises Error unless the file's extension names a format the vacancies are written in (.pdf, .xlsx, .html,
// .htm).
void checkVacancyFile(const QString& path);

// Writes the vacancies in the format the file's extension names; raises Error for another extension and
// IoError when the file cannot be written; nothing half-written is left.
void writeVacancyReport(const VacancyReport& report, const QString& path);

} // namespace zeb
