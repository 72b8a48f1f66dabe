#pragma once

#include "data/ColumnInfo.h"
#include "data/tsql/TsqlRewriter.h"

#include <QString>
#include <optional>

namespace zeb {

// The text a column of `type` (Date or DateTime) holds for a literal that is exactly a date, or a date and
// a time, written with '.', '/' or '-' in the session's date order or year first: 'YYYY-MM-DD' for a
// date, 'YYYY-MM-DD HH:MM:SS[.fff]' for a date and time, the form the embedded engine stores and compares.
// Nothing for anything that is not a valid date.
std::optional<QString> isoDateFromLiteral(QStringView text, DateOrder order, FieldType type);

} // namespace zeb
