#include "server/MssqlInstallation.h"

#include "data/odbc/OdbcEngine.h"
#include "data/odbc/SqlServerDialect.h"
#include "platform/Error.h"
#include "server/AdministratorLogin.h"
#include "server/BaseData.h"
#include "server/RowExists.h"
#include "server/ServerScript.h"
#include "server/SqlcmdScript.h"

namespace zeb {

namespace {

QString quoted(const QString& name)
{
    return SqlServerDialect::instance().quoteIdentifier(name);
}

QString signingLogin(const QString& database)
{
    return QStringLiteral("zeb_signing_") + database;
}

} // namespace

void runSqlcmdScript(Engine& engine, const QString& name, const QString& text,
                     const QHash<QString, QString>& values)
{
    for (const QString& batch : SqlcmdScript::batches(name, text, values))
        engine.run(batch);
}

MssqlInstallation::MssqlInstallation(const InstallRequest& request, QString dataSource, ServerAccount signin)
    : m_request(request), m_dataSource(std::move(dataSource)), m_signin(std::move(signin))
{
}

QHash<QString, QString> MssqlInstallation::scriptValues(const QString& database, const ServerAccount& signin,
                                                        const QString& workRole)
{
    return {{QStringLiteral("DATABASE"), database},
            {QStringLiteral("SIGNIN_ROLE"), signin.user},
            {QStringLiteral("SIGNIN_PASSWORD"), signin.password},
            {QStringLiteral("WORK_ROLE"), workRole}};
}

ConnectionParams MssqlInstallation::adminParams(const QString& database) const
{
    return ConnectionParams{m_request.adminUser, m_request.adminPassword, database, m_dataSource};
}

void MssqlInstallation::create(const ServerAccount& work, bool demo)
{
    if (demo)
        throw Error(QStringLiteral("Демонстрационные данные устанавливаются только во встроенную базу и на "
                                   "PostgreSQL; на Microsoft SQL Server установите без --demo."));
    const QString database = m_request.database;
    OdbcEngine server(adminParams(QStringLiteral("master")));
    openAsAdministrator(server, m_dataSource, m_request.adminUser);
    if (rowExists(server, QStringLiteral("SELECT 1 FROM sys.databases WHERE name = ?"), {database}))
        throw Error(QStringLiteral(
                        "База данных «%1» уже существует на сервере %2; установка не перезаписывает данные.")
                        .arg(database, m_dataSource));
    // Logins belong to the whole server: only those made here are dropped on failure.
    m_newLogins.clear();
    for (const QString& login : {m_signin.user, signingLogin(database)}) {
        if (!rowExists(server, QStringLiteral("SELECT 1 FROM sys.server_principals WHERE name = ?"), {login}))
            m_newLogins.append(login);
    }
    const QHash<QString, QString> values = scriptValues(database, m_signin, work.user);
    m_created = true;
    try {
        runSqlcmdScript(server, QStringLiteral("database.sql"), serverScript(ServerScript::MssqlDatabase),
                        values);
        server.close();
        fill(work.user);
    } catch (...) {
        undo();
        throw;
    }
}

void MssqlInstallation::fill(const QString& workRole)
{
    const QHash<QString, QString> values = scriptValues(m_request.database, m_signin, workRole);
    OdbcEngine engine(adminParams(m_request.database));
    openAsAdministrator(engine, m_dataSource, m_request.adminUser);
    runSqlcmdScript(engine, QStringLiteral("schema.sql"), serverScript(ServerScript::MssqlSchema), values);
    runSqlcmdScript(engine, QStringLiteral("procedures.sql"), serverScript(ServerScript::MssqlProcedures),
                    values);
    runSqlcmdScript(engine, QStringLiteral("accounts.sql"), serverScript(ServerScript::MssqlAccounts),
                    values);
    runSqlcmdScript(engine, QStringLiteral("history.sql"), serverScript(ServerScript::MssqlHistory), values);
    engine.run(QStringLiteral("USE ") + quoted(m_request.database));
    BaseData::fill(engine);
    engine.close();
}

void MssqlInstallation::undo()
{
    if (!m_created)
        return;
    try {
        OdbcEngine server(adminParams(QStringLiteral("master")));
        openAsAdministrator(server, m_dataSource, m_request.adminUser);
        if (rowExists(server, QStringLiteral("SELECT 1 FROM sys.databases WHERE name = ?"),
                      {m_request.database})) {
            const QString database = quoted(m_request.database);
            server.run(
                QStringLiteral("ALTER DATABASE %1 SET SINGLE_USER WITH ROLLBACK IMMEDIATE").arg(database));
            server.run(QStringLiteral("DROP DATABASE %1").arg(database));
        }
        for (const QString& login : std::as_const(m_newLogins)) {
            if (rowExists(server, QStringLiteral("SELECT 1 FROM sys.server_principals WHERE name = ?"),
                          {login}))
                server.run(QStringLiteral("DROP LOGIN %1").arg(quoted(login)));
        }
        const QString certificate = signingLogin(m_request.database);
        if (rowExists(server, QStringLiteral("SELECT 1 FROM sys.certificates WHERE name = ?"), {certificate}))
            server.run(QStringLiteral("DROP CERTIFICATE %1").arg(quoted(certificate)));
        m_created = false;
    } catch (const Error&) {
        // The installation's own error is the one to report; what is left over can be dropped by hand.
    }
}

} // namespace zeb
