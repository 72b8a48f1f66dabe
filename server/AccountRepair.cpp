#include "server/AccountRepair.h"

#include "server/AdminEngine.h"
#include "server/Installation.h"
#include "server/MssqlInstallation.h"
#include "server/PgAccounts.h"
#include "server/ServerScript.h"
#include "credentials/SettingsFile.h"

namespace zeb {

AccountRepairResult repairAccounts(const QString& installationDirectory, const ServerAccount& admin)
{
    const FirstConnectInfo settings = SettingsFile::read(Installation::settingsPath(installationDirectory));
    const ConnectionParams params{settings.userId, settings.password, settings.initialCatalog,
                                  settings.dataSource};
    if (params.engineKind() == EngineKind::Sqlite)
        return AccountRepairResult::NothingToRepair;

    const std::unique_ptr<Engine> engine = openAdminEngine(installationDirectory, admin);
    if (params.engineKind() == EngineKind::SqlServer) {
        // As a hand run does, batch by batch: ALTER DATABASE and CREATE PROCEDURE take no transaction.
        const QHash<QString, QString> values = MssqlInstallation::scriptValues(
            settings.initialCatalog, ServerAccount{settings.userId, settings.password},
            Installation::workRole(settings.initialCatalog));
        runSqlcmdScript(*engine, QStringLiteral("upgrade.sql"), serverScript(ServerScript::MssqlUpgrade),
                        values);
        runSqlcmdScript(*engine, QStringLiteral("procedures.sql"),
                        serverScript(ServerScript::MssqlProcedures), values);
        runSqlcmdScript(*engine, QStringLiteral("accounts.sql"), serverScript(ServerScript::MssqlAccounts),
                        values);
        engine->close();
        return AccountRepairResult::Repaired;
    }
    engine->beginTransaction();
    try {
        engine->runScript(serverScript(ServerScript::PgUpgrade));
        engine->runScript(serverScript(ServerScript::PgProcedures));
        applyPgAccounts(*engine, settings.initialCatalog, ServerAccount{settings.userId, settings.password},
                        Installation::workRole(settings.initialCatalog));
        engine->commit();
    } catch (...) {
        engine->rollback();
        throw;
    }
    engine->close();
    return AccountRepairResult::Repaired;
}

} // namespace zeb
