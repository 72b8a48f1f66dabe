#pragma once

#include <QVariantList>

struct sqlite3_stmt;

namespace zeb::sqlitebinding {

// Binds the values to the statement's '?' markers in order: a null QVariant as NULL, bool as 0/1,
// dates as ISO text. Raises DatabaseError when the counts differ or a value has no SQLite form.
void bind(sqlite3_stmt* statement, const QVariantList& params);

} // namespace zeb::sqlitebinding
