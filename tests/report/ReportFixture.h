#pragma once

#include "report/FormRequisites.h"

#include <QDate>

namespace zeb {
class Connection;
}

// A small schedule around one day, reportDay() (15.03.2024). Keys are assigned in insertion order on a
// fresh database; every line's entry order number is its key followed by "-к" ("12-к").
//
// vuz: 1 Заречный филиал (no faculty), 2 Северный государственный университет (both faculties)
// Otdel_1: 1 Бухгалтерия, 2 Расчётная группа, 3 Архив, 4 Деканат, 5 Отдел "кадров" <&> учёта,
//          6 Группа учёта, 7 Склад
// Faculty: 1 ФМ Физико-математический факультет, 2 ЮФ Факультет юриспруденции
// Kafedra: 1 Кафедра физики, 2 Кафедра алгебры
// Vakansii (id: unit, units, Num; entry date; withdrawal date with id_deduce 2):
//    1: division 1, 1, Num 2; 10.01.2020            2: division 1, 0,5, Num 1; 15.03.2024 14:30
//    3: division 1, 1, Num 3; 16.03.2024            4: division 1, 1, Num 4; 2019, withdrawn 01.02.2024
//    5: division 1, 0,25, Num 5; 2019, withdrawn 15.03.2024
//    6: division 1, 0,75, Num 6; 2019, withdrawn 20.06.2024
//    7: division 1, 0,25, no Num; no entry date     8: division 1 sub-level 2, 0,75; 2021
//    9: division 1 sub-level 6, 1; 2021            10: division 3, 1; 2018
//   11: division 5, 1,5; 2022                      12: faculty 1, 1; 2017, hourly fund 250,5
//   13: faculty 1 level-2 4, 1; 2017               14: faculty 1 department 1, 1; 2016, hourly fund 120
//   15: faculty 1 department 2, 0,5; 2016          16: faculty 2 department 2, 1; 2023
//   17: division 7, 1; 2015, withdrawn 31.12.2023  18: faculty 2, 1; 01.04.2024
//   19: division 1, 1, Num 2; 2023
// Lines without an hourly fund have NULL there; line 12 has the note "Ставка на время\nотпуска <по уходу>".
//
// Salaries (grade: from date amount): 6: 2022 20 000,00; 9: 01.01.2023 25 000,00, 01.03.2024 27 500,50,
// 01.04.2024 30 000,00; 10: 2020 30 000,01; 11: 2022 33 333,33; 14: 2020 45 678,90; 15: 2016 35 000,00,
// 15.03.2024 38 000,00, 16.03.2024 40 000,00; 16: 2022 50 000,00; 17: 2022 55 555,55; grade 8 has none.
// The institution's codes: division 1 "0101", division 4 "0400", faculty 1 "Ф1", department 2 "К-02".
// The requisites are fixtureRequisites().
void loadReportFixture(zeb::Connection& connection);
zeb::FormRequisites fixtureRequisites();

QDate reportDay();
