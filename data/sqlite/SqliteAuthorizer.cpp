#include "SqliteAuthorizer.h"

#include <cstring>
#include <sqlite3.h>

namespace zeb {

namespace {

// Users with their password digests, the published builds and the workstations' builds.
constexpr const char* signInTables[] = {"zeb_users", "zeb_program", "zeb_workstations"};

} // namespace

void SqliteAuthorizer::install(sqlite3* db)
{
    sqlite3_set_authorizer(db, &SqliteAuthorizer::decide, this);
}

QString SqliteAuthorizer::refusal() const
{
    return QStringLiteral("Нет доступа к таблице «%1»: таблицы входа в программу читает и изменяет только "
                          "администратор.")
        .arg(m_refusedTable);
}

bool SqliteAuthorizer::isSignInTable(const char* name)
{
    if (!name)
        return false;
    for (const char* table : signInTables) {
        if (sqlite3_stricmp(name, table) == 0)
            return true;
    }
    return false;
}

// The first and second arguments name the table whatever the action: a table read or written, an index
// or trigger created on it, a table altered, created or dropped, a pragma's argument.
int SqliteAuthorizer::decide(void* self, int, const char* first, const char* second, const char* database,
                             const char* inner)
{
    const char* table = isSignInTable(first) ? first : isSignInTable(second) ? second : nullptr;
    if (!table)
        return SQLITE_OK;
    auto& authorizer = *static_cast<SqliteAuthorizer*>(self);
    if (authorizer.m_trusted && !inner && database && std::strcmp(database, "main") == 0)
        return SQLITE_OK;
    authorizer.m_refusedTable = QString::fromUtf8(table);
    return SQLITE_DENY;
}

} // namespace zeb
