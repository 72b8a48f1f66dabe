#include "data/pg/PgColumnTypes.h"

#include "data/Engine.h"

namespace zeb {

namespace {

// Only dates matter, every other column counts as not a date.
const char* const postgresColumns =
    "SELECT c.relname, a.attname, CASE WHEN a.atttypid = 'date'::regtype THEN 'date' "
    "WHEN a.atttypid IN ('timestamp'::regtype, 'timestamptz'::regtype) THEN 'datetime' ELSE '' END "
    "FROM pg_catalog.pg_attribute AS a JOIN pg_catalog.pg_class AS c ON c.oid = a.attrelid "
    "JOIN pg_catalog.pg_namespace AS n ON n.oid = c.relnamespace "
    "WHERE n.nspname = 'dbo' AND c.relkind IN ('r', 'v', 'm', 'p', 'f') AND a.attnum > 0 AND NOT "
    "a.attisdropped";

} // namespace

TsqlColumnTypes readPgColumnTypes(Engine& engine)
{
    TsqlColumnTypes types;
    const std::unique_ptr<ResultCursor> rows = engine.run(QString::fromLatin1(postgresColumns)).rows;
    while (rows && rows->next()) {
        const QString kind = rows->toText(2);
        const FieldType type = kind == QLatin1String("date")       ? FieldType::Date
                               : kind == QLatin1String("datetime") ? FieldType::DateTime
                                                                   : FieldType::Unknown;
        types.add(rows->toText(0), rows->toText(1), type);
    }
    return types;
}

} // namespace zeb
