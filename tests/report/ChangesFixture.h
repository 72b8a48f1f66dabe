#pragma once

#include <QDate>

namespace zeb {
class Connection;
class Engine;
} // namespace zeb

// The report fixture (ReportFixture.h) with lines and changes around the period changesFrom() to changesTo(),
// 01.03.2024 to 31.03.2024, every change before it kept as made on 01.06.2019:
//
// Архив (division 3): 20 entered the day before the period (0,25, Num 2), 21 on its first day (0,5, Num 3),
//     22 on its last day (0,75, Num 4), 23 the day after (1, Num 5).
// Отдел "кадров" <&> учёта (division 5), each entered 2020: 24 withdrawn the day before (0,25, Num 2), 25 on
//     the first day (0,5, Num 3), 26 on the last day (0,75, Num 4), 27 the day after (1, Num 5); 28 entered
//     05.03.2024 and withdrawn 20.03.2024 (0,1, Num 6).
// Changes made in the period: line 12 to 1,5 units (10.03.2024 12:00), line 13 to post Профессор, grade 9
//     (31.03.2024 18:00), line 19 withdrawn by order 19-в of 15.03.2024 (15.03.2024 10:00), line 9 deleted
//     (20.03.2024 09:00); around it: line 8 to 1 unit (29.02.2024 23:00), line 14 to 0,5 (02.04.2024 09:00).
void loadChangesFixture(zeb::Connection& connection, zeb::Engine& admin);

QDate changesFrom();
QDate changesTo();
