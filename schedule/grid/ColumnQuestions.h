#pragma once

#include "schedule/grid/ColumnChangeConfirmation.h"

#include <QList>
#include <QString>

namespace zeb {

// What a change of a saved line's cell asks before it is written, and what a "no" gives back.
struct ColumnQuestion
{
    // The schedule grid's column (ScheduleColumn).
    int column;
    QString question;
    QString fieldName;
    RestoreAs restoreAs;
};

// One entry per schedule column that asks; the line number and the read-only columns do not.
QList<ColumnQuestion> scheduleColumnQuestions();

} // namespace zeb
