#pragma once

#include "report/vacancy/LineOccupancy.h"

namespace zeb {

class Dataset;

// The grid footer's words on the lines `lines` shows, with the units occupied on `day` by the employees
// of the unit `scope`: "занято 3,5 · вакантно 1,5", followed by " · сверх 0,5" when a line is occupied
// beyond its units (short, so that the words fit left of the totals; the footer's tip explains them). Empty
// when no unit is chosen or it shows no lines; then nothing is read.
QString unitVacancyNote(Connection& connection, const Dataset& lines, const QDate& day,
                        const VacancyScope& scope);

} // namespace zeb
