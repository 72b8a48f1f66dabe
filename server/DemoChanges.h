#pragma once

#include "server/DemoSchedule.h"

namespace zeb {

// The schedule's recent changes, so that the changes report has something to show over the 60 days before
// `today`: new lines entered (like existing ones of their unit), lines withdrawn, and lines whose staff
// units, grade or post were changed, each change kept in the lines' history as made on its day. The history's
// record of every line's first entry is dated by the line's entry order, as if it had been kept since.
// Only lines nobody is placed on are withdrawn or changed.
void insertDemoChanges(Engine& engine, const DemoOrganisation& organisation, const QList<DemoLine>& lines,
                       QRandomGenerator& random, const QDate& today);

} // namespace zeb
