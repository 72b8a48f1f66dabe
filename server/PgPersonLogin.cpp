#include "server/PgPersonLogin.h"

#include "data/Engine.h"
#include "data/NativeSql.h"

namespace zeb {

namespace {

// The person's role, empty when there is none on the server.
QString personRole(Engine& engine, const QString& login)
{
    StatementResult result = engine.run(QStringLiteral("SELECT u.db_role FROM dbo.zeb_users u "
                                                       "JOIN pg_roles r ON r.rolname = u.db_role "
                                                       "WHERE u.login = $1"),
                                        {login});
    QString role;
    while (result.rows->next())
        role = result.rows->toText(0);
    return role;
}

} // namespace

void shutPgPersonLogin(Engine& engine, const QString& login)
{
    const QString role = personRole(engine, login);
    if (role.isEmpty())
        return;
    // The login goes first, so that a session ended below cannot come back.
    engine.run(QStringLiteral("ALTER ROLE %1 NOLOGIN PASSWORD NULL")
                   .arg(nativesql::quoteIdentifier(EngineKind::Postgres, role)));
    StatementResult ended = engine.run(QStringLiteral("SELECT pg_terminate_backend(a.pid, 5000) "
                                                      "FROM pg_stat_activity a WHERE a.usename = $1"),
                                       {role});
    while (ended.rows->next()) {
    }
}

} // namespace zeb
