#pragma once

#include "report/change/ChangesReport.h"

namespace zeb {

// The changes over a period as one worksheet laid out as the HTML page (what changed in a line in a row under
// it, so that the columns stay narrow); staff units as numbers with two
// decimals, so that a spreadsheet sums them. Raises IoError when the file cannot be written; nothing
// half-written is left.
void writeChangesXlsx(const ChangesReport& report, const QString& path);

} // namespace zeb
