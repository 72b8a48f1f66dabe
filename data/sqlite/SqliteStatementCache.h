#pragma once

#include <QHash>
#include <QString>

struct sqlite3_stmt;

namespace zeb {

// Prepared statements of one connection, kept by their text. The statements sent again and again are few,
// so a full cache is simply emptied rather than tracking which one was used last.
class SqliteStatementCache
{
public:
    SqliteStatementCache() = default;
    ~SqliteStatementCache();
    SqliteStatementCache(const SqliteStatementCache&) = delete;
    SqliteStatementCache& operator=(const SqliteStatementCache&) = delete;

    sqlite3_stmt* find(const QString& sql) const { return m_statements.value(sql); }
    // Takes ownership of the statement.
    void insert(const QString& sql, sqlite3_stmt* statement);
    // Finalizes every statement: a connection cannot close for good while one is left.
    void clear();

private:
    QHash<QString, sqlite3_stmt*> m_statements;
};

} // namespace zeb
