#pragma once

#include "controls/GridColumn.h"

#include <QList>

namespace zeb {

// The schedule grid's columns by position.
namespace ScheduleColumn {
enum : int
{
    Num,
    Structure,
    Post,
    FundingSource,
    Grade,
    Units,
    HourFund,
    Enter,
    EntryOrder,
    EntryDate,
    Deduce,
    WithdrawalOrder,
    WithdrawalDate,
    Count,
};
} // namespace ScheduleColumn

// The schedule grid's columns: fields, titles (two levels split at "|"), width proportions and
// alignment. The window binds the update handlers.
QList<GridColumn> scheduleGridColumns();

} // namespace zeb
