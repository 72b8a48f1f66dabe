#include "server/PgInstallation.h"

#include "server/BaseData.h"
#include "server/DemoData.h"
#include "platform/Error.h"
#include "data/NativeSql.h"
#include "server/PgAccounts.h"
#include "server/PgOldLogins.h"
#include "server/RowExists.h"
#include "server/ServerScript.h"
#include "pg/PgEngine.h"

namespace zeb {

PgInstallation::PgInstallation(const InstallRequest& request, QString dataSource, ServerAccount signin)
    : m_request(request), m_dataSource(std::move(dataSource)), m_signin(std::move(signin))
{
}

ConnectionParams PgInstallation::adminParams(const QString& database) const
{
    return ConnectionParams{m_request.adminUser, m_request.adminPassword, database, m_dataSource};
}

void PgInstallation::create(const ServerAccount& work, bool demo)
{
    const QString database = m_request.database;
    PgEngine server(adminParams(QStringLiteral("postgres")));
    server.open();
    if (rowExists(server, QStringLiteral("SELECT 1 FROM pg_database WHERE datname = $1"), {database}))
        throw Error(QStringLiteral(
                        "База данных «%1» уже существует на сервере %2; установка не перезаписывает данные.")
                        .arg(database, m_dataSource));
    dropOrRefuseOldLogins(server);
    // Roles are shared by the whole server: only those made here are dropped on failure.
    m_newRoles.clear();
    for (const QString& role : {m_signin.user, work.user}) {
        if (!rowExists(server, QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = $1"), {role}))
            m_newRoles.append(role);
    }
    server.run(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8'")
                   .arg(nativesql::quoteIdentifier(EngineKind::Postgres, database)));
    m_created = true;
    server.close();

    try {
        fill(work, demo);
    } catch (...) {
        undo();
        throw;
    }
}

void PgInstallation::dropOrRefuseOldLogins(Engine& server) const
{
    const QStringList old = pgInstallationRoles(server, m_request.database);
    if (old.isEmpty())
        return;
    if (!m_request.dropOldLogins)
        throw Error(
            QStringLiteral("На сервере %1 остались учётные записи прежней установки базы «%2»: %3. Новая "
                           "установка открыла бы им свою базу. Удалите их, повторив команду с "
                           "--drop-old-logins, или выберите другое имя базы (--database).")
                .arg(m_dataSource, m_request.database, old.join(QStringLiteral(", "))));
    dropPgRoles(server, old);
}

void PgInstallation::fill(const ServerAccount& work, bool demo)
{
    PgEngine engine(adminParams(m_request.database));
    engine.open();
    engine.runScript(serverScript(ServerScript::PgSchema));
    engine.runScript(serverScript(ServerScript::PgProcedures));
    applyPgAccounts(engine, m_request.database, m_signin, work.user);
    BaseData::fill(engine);
    if (demo)
        DemoData::fill(engine);
    engine.close();
}

void PgInstallation::undo()
{
    if (!m_created)
        return;
    try {
        PgEngine server(adminParams(QStringLiteral("postgres")));
        server.open();
        server.run(QStringLiteral("DROP DATABASE IF EXISTS %1")
                       .arg(nativesql::quoteIdentifier(EngineKind::Postgres, m_request.database)));
        for (const QString& role : std::as_const(m_newRoles))
            server.run(QStringLiteral("DROP ROLE IF EXISTS %1")
                           .arg(nativesql::quoteIdentifier(EngineKind::Postgres, role)));
        m_created = false;
    } catch (const Error&) {
        // The installation's own error is the one to report; what is left over can be dropped by hand.
    }
}

} // namespace zeb
