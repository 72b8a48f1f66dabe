#include "server/AdministrationFactory.h"
#include "server/EngineAdministration.h"
#include "server/Installation.h"
#include "server/Installer.h"
#include "signin/ConnectionString.h"
#include "tools/AdminAccount.h"
#include "tools/Arguments.h"
#include "tools/Commands.h"
#include "tools/Console.h"
#include "tools/WorkstationAccess.h"

#include <QDir>

namespace zeb {

namespace {

EngineKind engineNamed(const QString& name)
{
    if (name == QLatin1String("sqlite"))
        return EngineKind::Sqlite;
    if (name == QLatin1String("pg"))
        return EngineKind::Postgres;
    if (name == QLatin1String("mssql"))
        return EngineKind::SqlServer;
    throw UsageError(
        QStringLiteral("неизвестный вид базы данных «%1»: ожидается sqlite, pg или mssql.").arg(name));
}

} // namespace

int runInit(const QStringList& words)
{
    const Arguments arguments(
        words,
        {QStringLiteral("engine"), QStringLiteral("host"), QStringLiteral("port"), QStringLiteral("database"),
         QStringLiteral("admin-user")},
        {QStringLiteral("demo"), QStringLiteral("drop-old-logins"), QStringLiteral("system")});
    // --system takes the place of DIR; DIR /etc/zeb7 means the same.
    const bool system = arguments.has(QStringLiteral("system"));
    arguments.expectPositional(system ? QStringList()
                                      : QStringList{QStringLiteral("папка установки DIR или --system")});

    InstallRequest request;
    request.directory = system ? workstationSettingsFolder() : arguments.positional().at(0);
    const bool workstation =
        Installation::settingsPath(request.directory) == SettingsLocation::workstation().settingsFile;
    if (workstation)
        WorkstationAccess::check();
    request.engine = engineNamed(arguments.required(QStringLiteral("engine")));
    request.host = arguments.value(QStringLiteral("host"), request.host);
    request.port = arguments.integer(QStringLiteral("port"), request.port);
    request.database =
        arguments.value(QStringLiteral("database"), administrationOf(request.engine).defaultDatabase());
    request.demo = arguments.has(QStringLiteral("demo"));
    request.dropOldLogins = arguments.has(QStringLiteral("drop-old-logins"));
    // The database and the server go into the settings file, and from there into a connection string.
    checkConnectionValues(FirstConnectInfo{QString(), QString(), request.database, request.host});
    // The embedded engine has no server administrator and ignores it.
    const ServerAccount admin = adminAccount(arguments, request.engine);
    request.adminUser = admin.user;
    request.adminPassword = admin.password;

    const FirstConnectInfo settings = Installer::install(request);
    if (workstation)
        WorkstationAccess::grant(SettingsLocation::workstation());
    console::print(QStringLiteral("Установка создана, файл настроек: %1")
                       .arg(QDir::toNativeSeparators(Installation::settingsPath(request.directory))));
    console::print(QStringLiteral("Data Source: ") + settings.dataSource);
    console::print(QStringLiteral("Initial Catalog: ") + settings.initialCatalog);
    if (request.demo)
        console::print(QStringLiteral("Добавлены демонстрационные данные и пользователи."));
    if (workstation)
        console::print(QStringLiteral("Настройки читают root и члены группы %1: добавьте в неё пользователей "
                                      "программы (adduser ПОЛЬЗОВАТЕЛЬ %1).")
                           .arg(WorkstationAccess::groupName()));
    return 0;
}

} // namespace zeb
