#include "data/tsql/TsqlColumnTypes.h"

#include "data/DatabaseError.h"
#include "data/Engine.h"
#include "data/NativeSql.h"

namespace zeb {

namespace {

// The client's tables live in schema dbo; only dates matter, every other column counts as not a date.
const char* const postgresColumns =
    "SELECT c.relname, a.attname, CASE WHEN a.atttypid = 'date'::regtype THEN 'date' "
    "WHEN a.atttypid IN ('timestamp'::regtype, 'timestamptz'::regtype) THEN 'datetime' ELSE '' END "
    "FROM pg_catalog.pg_attribute AS a JOIN pg_catalog.pg_class AS c ON c.oid = a.attrelid "
    "JOIN pg_catalog.pg_namespace AS n ON n.oid = c.relnamespace "
    "WHERE n.nspname = 'dbo' AND c.relkind IN ('r', 'v', 'm', 'p', 'f') AND a.attnum > 0 AND NOT "
    "a.attisdropped";

TsqlColumnTypes readPostgres(Engine& engine)
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

// SQLite keeps the declared types with the statement, so each table's empty result tells its columns.
// A table the engine refuses to the client is no table of the client's statements either.
TsqlColumnTypes readSqlite(Engine& engine)
{
    QStringList tables;
    {
        const std::unique_ptr<ResultCursor> rows =
            engine
                .run(QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'view') "
                                    "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"))
                .rows;
        while (rows && rows->next())
            tables.append(rows->toText(0));
    }
    TsqlColumnTypes types;
    for (const QString& table : std::as_const(tables)) {
        try {
            const std::unique_ptr<ResultCursor> rows =
                engine
                    .run(QStringLiteral("SELECT * FROM %1 LIMIT 0")
                             .arg(nativesql::quoteIdentifier(EngineKind::Sqlite, table)))
                    .rows;
            for (const ColumnInfo& column : rows->columns())
                types.add(table, column.name, column.type);
        } catch (const DatabaseError&) {
        }
    }
    return types;
}

} // namespace

void TsqlColumnTypes::add(const QString& table, const QString& column, FieldType type)
{
    m_tables[table.toLower()].insert(column.toLower(), type);
}

std::optional<FieldType> TsqlColumnTypes::type(const QString& table, const QString& column) const
{
    const auto found = m_tables.constFind(table.toLower());
    if (found == m_tables.constEnd())
        return std::nullopt;
    const auto columnType = found->constFind(column.toLower());
    if (columnType == found->constEnd())
        return std::nullopt;
    return *columnType;
}

TsqlColumnTypes readColumnTypes(Engine& engine)
{
    switch (engine.kind()) {
    case EngineKind::Sqlite:
        return readSqlite(engine);
    case EngineKind::Postgres:
        return readPostgres(engine);
    case EngineKind::SqlServer:
        break;
    }
    return {};
}

} // namespace zeb
