#pragma once

#include "report/change/ChangesReport.h"

namespace zeb {

// The changes over a period as one self-contained HTML page in the style of the vacancies: per unit with a
// line listed, its lines entered, withdrawn and changed, each with its order, a changed one with what changed
// from what to what and when, and the unit's change; then every unit's staff units at the start, entered,
// withdrawn, changed and at the end, and the institution's. Numbers and dates are written the Russian way.
QString changesHtml(const ChangesReport& report);

} // namespace zeb
