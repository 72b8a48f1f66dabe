#pragma once

#include "report/ScheduleReport.h"

// A report built in memory, as the loader would give it: two units, four lines, one of them without a
// salary, every header field and signature given. Unit "Бухгалтерия" (code 01): the chief accountant (1 unit,
// 45 000,00) and an accountant (0,75 units of 12 345,67 = 9 259,25, hourly fund 250,5, note "=1+2");
// unit "Физико-математический факультет / Кафедра физики" (code 12.4): a professor without a salary
// (1,5 units) and an associate professor (0,25 units of 30 000,00 = 7 500,00). In all 3,5 units and
// 61 759,25 roubles.
zeb::ScheduleReport sampleReport();

// `lines` lines in units of `linesPerUnit` (the last one may hold fewer), every line with a salary.
zeb::ScheduleReport generatedReport(int lines, int linesPerUnit);
