#include "tools/AdminAccount.h"

#include "tools/Console.h"
#include "server/Installation.h"
#include "credentials/SettingsFile.h"

namespace zeb {

ServerAccount adminAccount(const Arguments& arguments, EngineKind engine)
{
    if (engine != EngineKind::SqlServer)
        return {arguments.value(QStringLiteral("admin-user"), QStringLiteral("postgres")),
                qEnvironmentVariable("PGPASSWORD")};
    const QString fromEnvironment = qEnvironmentVariable("SQLCMDUSER");
    const QString user = arguments.value(QStringLiteral("admin-user"),
                                         fromEnvironment.isEmpty() ? QStringLiteral("sa") : fromEnvironment);
    QString password = qEnvironmentVariable("SQLCMDPASSWORD");
    if (!qEnvironmentVariableIsSet("SQLCMDPASSWORD"))
        password = console::readPassword(QStringLiteral("Пароль администратора SQL Server «%1»: ").arg(user),
                                         QStringLiteral("пароль администратора (SQLCMDPASSWORD)"));
    return {user, password};
}

EngineKind installedEngine(const QString& installationDirectory)
{
    const FirstConnectInfo settings = SettingsFile::read(Installation::settingsPath(installationDirectory));
    return ConnectionParams{QString(), QString(), settings.initialCatalog, settings.dataSource}.engineKind();
}

} // namespace zeb
