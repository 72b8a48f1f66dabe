#pragma once

#include "report/ScheduleReport.h"
#include "report/sheet/SheetColumns.h"
#include "report/sheet/TablePdf.h"

namespace zeb {

// The unified form's thirteen columns: the allowances under one heading, the columns numbered.
SheetColumns formSheetColumns();

// The rows of the report's table in order: each unit's row, its lines and its total (its caption over the
// first three columns), then the grand total. One row object is filled afresh for each, so the texts are
// never all kept at once.
void forEachFormRow(const ScheduleReport& report, const SheetRowVisitor& visit);

} // namespace zeb
