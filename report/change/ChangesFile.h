#pragma once

#include "report/change/ChangesReport.h"

namespace zeb {

// Raises Error unless the file's extension names a format the changes are written in (.pdf, .xlsx, .html,
// .htm).
void checkChangesFile(const QString& path);

// Writes the changes in the format the file's extension names; raises Error for another extension and
// IoError when the file cannot be written; nothing half-written is left.
void writeChangesReport(const ChangesReport& report, const QString& path);

} // namespace zeb
