#include "server/PgOldLogins.h"

#include "server/AdminEngine.h"
#include "data/Engine.h"
#include "server/Installation.h"
#include "data/NativeSql.h"
#include "credentials/SettingsFile.h"

namespace zeb {

namespace {

QStringList names(StatementResult result)
{
    QStringList found;
    while (result.rows->next())
        found.append(result.rows->toText(0));
    return found;
}

// Database names are plain lower-case identifiers: nothing in them is special to a pattern.
QString personLoginPattern(const QString& database)
{
    return QStringLiteral("^%1_[0-9]+$").arg(Installation::workRole(database));
}

} // namespace

QStringList pgInstallationRoles(Engine& server, const QString& database)
{
    return names(server.run(QStringLiteral("SELECT rolname FROM pg_roles "
                                           "WHERE rolname IN ($1, $2) OR rolname ~ $3 ORDER BY rolname"),
                            {Installation::signinRole(database), Installation::workRole(database),
                             personLoginPattern(database)}));
}

QStringList pgOrphanPersonLogins(Engine& engine, const QString& database)
{
    return names(engine.run(QStringLiteral("SELECT r.rolname FROM pg_roles r WHERE r.rolname ~ $1 "
                                           "AND NOT EXISTS (SELECT 1 FROM dbo.zeb_users u "
                                           "WHERE u.db_role = r.rolname) ORDER BY r.rolname"),
                            {personLoginPattern(database)}));
}

void dropPgRoles(Engine& engine, const QStringList& roles)
{
    for (const QString& role : roles) {
        const QString quoted = nativesql::quoteIdentifier(EngineKind::Postgres, role);
        // Shut first, so that a session ended below cannot come back before the role is gone.
        engine.run(QStringLiteral("ALTER ROLE %1 NOLOGIN PASSWORD NULL").arg(quoted));
        names(engine.run(QStringLiteral("SELECT pg_terminate_backend(pid, 5000)::text FROM pg_stat_activity "
                                        "WHERE usename = $1"),
                         {role}));
        engine.run(QStringLiteral("DROP OWNED BY %1").arg(quoted));
        engine.run(QStringLiteral("DROP ROLE %1").arg(quoted));
    }
}

QStringList removeOrphanPersonLogins(const QString& installationDirectory, const ServerAccount& admin)
{
    const FirstConnectInfo settings = SettingsFile::read(Installation::settingsPath(installationDirectory));
    const ConnectionParams params{settings.userId, settings.password, settings.initialCatalog,
                                  settings.dataSource};
    if (params.engineKind() != EngineKind::Postgres)
        return {};
    const std::unique_ptr<Engine> engine = openAdminEngine(installationDirectory, admin);
    const QStringList orphans = pgOrphanPersonLogins(*engine, settings.initialCatalog);
    dropPgRoles(*engine, orphans);
    engine->close();
    return orphans;
}

} // namespace zeb
