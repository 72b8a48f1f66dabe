#pragma once

#include "server/DemoSchedule.h"

namespace zeb {

// Inserts the staff rates, some forty employees and their placements on the demo lines: most still on
// their line (id_leave 4 or NULL), some who have left it, a few on lines withdrawn since.
void insertDemoStaff(Engine& engine, const QList<DemoLine>& lines, QRandomGenerator& random);

} // namespace zeb
