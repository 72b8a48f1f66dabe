#include "data/sqlite/SqliteDialect.h"

namespace zeb {

const Dialect& SqliteDialect::instance()
{
    static const SqliteDialect dialect;
    return dialect;
}

QString SqliteDialect::quoteIdentifier(const QString& name) const
{
    return doubleQuoted(name);
}

// A date or date-time is stored as text in whichever form wrote it: compared as the moment it names.
Dialect::Comparison SqliteDialect::unchanged(FieldType type, bool, bool) const
{
    if (type == FieldType::Date)
        return Comparison::DateIs;
    if (type == FieldType::DateTime)
        return Comparison::DateTimeIs;
    return Comparison::Is;
}

} // namespace zeb
