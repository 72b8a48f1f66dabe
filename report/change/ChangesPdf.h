#pragma once

#include "report/change/ChangesReport.h"

namespace zeb {

// The changes over a period on A4 landscape sheets with the content and order of the HTML page: the lines
// by unit, then every unit's staff units on sheets of their own. Needs a GUI application for the fonts;
// raises IoError when the file cannot be written, nothing half-written is left.
void writeChangesPdf(const ChangesReport& report, const QString& path);

} // namespace zeb
