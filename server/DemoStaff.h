#pragma once

#include "server/DemoSchedule.h"

namespace zeb {

// Inserts the staff rates, some forty employees and their placements on the demo lines: most still on
// their line (id_leave 4 or NULL), some who have left it, a few on lines withdrawn since. The first unit
// with three lines in force shows every case of vacancies on `today`: a line full, one occupied beyond its
// units, one with an employee who left before and one who leaves after that day, and the rest vacant.
void insertDemoStaff(Engine& engine, const QList<DemoLine>& lines, QRandomGenerator& random,
                     const QDate& today);

} // namespace zeb
