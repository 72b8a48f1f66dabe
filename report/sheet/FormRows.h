#pragma once

#include "report/FormColumns.h"
#include "report/ScheduleReport.h"

#include <QString>
#include <array>
#include <functional>

namespace zeb {

// One row of the form's table with the texts of its cells.
struct SheetRow
{
    enum Kind
    {
        // A unit's name across the table; its code stands on its lines.
        Unit,
        Line,
        // A unit's total; its caption spans the first three columns.
        Total,
        GrandTotal,
    };

    Kind kind = Line;
    std::array<QString, formcolumns::Count> cells;
};

// The rows of the report's table in order: each unit's row, its lines and its total, then the grand total.
// One row object is filled afresh for each, so the texts are never all kept at once.
void forEachFormRow(const ScheduleReport& report, const std::function<void(const SheetRow&)>& visit);

} // namespace zeb
