#pragma once

#include "data/tsql/TsqlColumnTypes.h"
#include "data/tsql/TsqlTokenEdit.h"

#include <QHash>

namespace zeb {

// The string literals of a statement that stand for a value of a date column, by token position, with the
// column's type (Date or DateTime): compared with the column (=, <>, <, >, <=, >=, !=, !<, !>, BETWEEN,
// IN), assigned to it (UPDATE ... SET) or inserted into it by an INSERT that lists its columns. A literal
// that is only part of an operand (a concatenation, a sum) is none of them.
QHash<qsizetype, FieldType> dateLiteralTargets(const TsqlTokenEdit& edit, const TsqlColumnTypes& types);

} // namespace zeb
