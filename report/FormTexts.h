#pragma once

#include "report/ScheduleReport.h"

namespace zeb::formtexts {

// The texts the form prints beside its numbers, the same in every file format.

// "15.03.2024"; empty for no date.
QString dateText(const QDate& date);
// "«15» марта 2024 г.", as the form's header writes a date; blanks to be filled by hand for no date.
QString quotedDate(const QDate& date);
// "на период с «01» января 2024 г. по «31» декабря 2024 г.": from the report's date when no start is given,
// open-ended when no end is.
QString periodText(const ScheduleReport& report);
// "Период указан наоборот: его начало 01.02.2025 позже конца 31.01.2025.", for a period whose start comes
// after its end.
QString reversedPeriodText(const QDate& from, const QDate& to);
// "Приказом организации от «20» декабря 2023 г. № 112-к", with blanks for what is not given.
QString approvalText(const FormDetails& details);
// Column 3: "Бухгалтер, 9 разряд, АУП".
QString postText(const ReportLine& line);
// Column 13: "8-к от 01.02.2021".
QString entryOrderText(const ReportLine& line);
// An hourly fund as the grid shows it: "250,5"; empty for none.
QString hourlyFundText(const QVariant& fund);
// Staff units with two decimals and a decimal comma: "0,75", "132,25", "1,00".
QString unitsText(double units);
// "Оклад не установлен для 3 строк штатного расписания: графы 5 и 9 в них не заполнены."; empty when
// every line has one.
QString missingSalaryText(int lines);

} // namespace zeb::formtexts
