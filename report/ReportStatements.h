#pragma once

#include <QString>

namespace zeb::reportstatements {

// The columns of lines(), in order.
enum LineColumn
{
    LineKey,
    Number,
    Units,
    PayGrade,
    HourlyFund,
    OrderNumber,
    EnteredOn,
    WithdrawnOn,
    Division,
    DivisionName,
    SubLevel,
    SubLevelName,
    Faculty,
    FacultyShortName,
    FacultyName,
    Level2Division,
    Level2DivisionName,
    Department,
    DepartmentName,
    Post,
    Category,
    Funding,
    Note,
};

// Every line placed in a division or a faculty, with the names of its unit and its lookups.
QString lines();
// How many rows lines() gives.
QString lineCount();
// The name of the institution most faculties belong to; the first institution when none does.
QString institution();

} // namespace zeb::reportstatements
