#include "data/sqlite/SqliteColumnTypes.h"

#include "data/DatabaseError.h"
#include "data/Engine.h"
#include "data/sqlite/SqliteDialect.h"

namespace zeb {

namespace {

QStringList tablesAndViews(Engine& engine)
{
    QStringList tables;
    const std::unique_ptr<ResultCursor> rows =
        engine
            .run(QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'view') "
                                "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"))
            .rows;
    while (rows && rows->next())
        tables.append(rows->toText(0));
    return tables;
}

} // namespace

// SQLite keeps the declared types with the statement, so each table's empty result tells its columns.
// A table the engine refuses to the client is no table of the client's statements either.
TsqlColumnTypes readSqliteColumnTypes(Engine& engine)
{
    TsqlColumnTypes types;
    for (const QString& table : tablesAndViews(engine)) {
        try {
            const std::unique_ptr<ResultCursor> rows =
                engine
                    .run(QStringLiteral("SELECT * FROM %1 LIMIT 0")
                             .arg(SqliteDialect::instance().quoteIdentifier(table)))
                    .rows;
            for (const ColumnInfo& column : rows->columns())
                types.add(table, column.name, column.type);
        } catch (const DatabaseError&) {
        }
    }
    return types;
}

} // namespace zeb
