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
    WithdrawalOrder,
};

// Every line placed in a division or a faculty, with the names of its unit and its lookups.
QString lines();
// The same of `source`, a table or a parenthesised SELECT with the columns of Vakansii. The aliases of the
// statement and of `source` must differ (the translation for the embedded engine knows an alias by its name
// alone, whatever the subquery): this one uses v, d, s, fa, l, k, p, c and b.
QString linesOf(const QString& source);
// How many rows lines() gives.
QString lineCount();
// The name of the institution most faculties belong to; the first institution when none does.
QString institution();

} // namespace zeb::reportstatements
