#include "data/sqlite/SqliteStatementCache.h"

#include <sqlite3.h>

namespace zeb {

namespace {

constexpr qsizetype MaxStatements = 64;

} // namespace

SqliteStatementCache::~SqliteStatementCache()
{
    clear();
}

void SqliteStatementCache::insert(const QString& sql, sqlite3_stmt* statement)
{
    if (m_statements.size() >= MaxStatements)
        clear();
    m_statements.insert(sql, statement);
}

void SqliteStatementCache::clear()
{
    for (sqlite3_stmt* statement : std::as_const(m_statements))
        sqlite3_finalize(statement);
    m_statements.clear();
}

} // namespace zeb
