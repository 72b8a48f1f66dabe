#pragma once

#include <QString>
#include <QStringList>

namespace zeb {
class Connection;
}

// A small schedule that shows every condition the client's statements rely on. Keys are assigned in
// insertion order on a fresh database, so the tests can name them.
//
// Otdel_1:  1 Бухгалтерия, 2 Расчётная группа, 3 Деканат, 4 Лаборатория, 5 Архив
// Faculty:  1 ФМ, 2 ФЭ               Kafedra: 1 Кафедра алгебры, 2 Кафедра геометрии, 3 Кафедра физики
// Vakansii (id: unit, Num, id_deduce):
//   1: division 1, Num 1, 1        2: division 1, no Num, 1     3: division 1, Num 2, withdrawn
//   4: division 1, Num 3, NULL     5: division 1 sub-level 2, 1  6: faculty 1, Num 1, 1
//   7: faculty 1 level-2 3, 1      8: faculty 1 department 1, 1  9: faculty 1 department 2, withdrawn
//  10: division 5, withdrawn      11: faculty 2 department 3, 1
// Working: on line 1 with id_leave 4; on line 5 with id_leave 1; on line 8 with no id_leave.
void loadScheduleFixture(zeb::Connection& connection);

// The column `column` of every row the statement returns, joined by commas (NULL as "null").
QString columnValues(zeb::Connection& connection, const QString& statement, const QString& column);
