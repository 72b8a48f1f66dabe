#pragma once

#include "report/ScheduleReport.h"

#include <QString>

namespace zeb::formtexts {

// Texts of the printed form, written as Russian documents write them.

// Staff units with two decimals: "0,50", "12,25".
QString unitsText(double units);
// Column 3: the post, its grade and its category, "Доцент, разряд 15, ППС".
QString postText(const ReportLine& line);
// "12-к от 01.09.2017".
QString orderText(const ReportLine& line);
// An hourly fund as the grid shows it: "250,5"; empty for none.
QString hourlyFundText(const QVariant& fund);
// "«05» марта 2024 г."; blanks to fill in by hand for no date.
QString quotedDate(const QDate& date);
// "15.03.2024"; empty for no date.
QString dateText(const QDate& date);

} // namespace zeb::formtexts
