#include "server/PgAdministration.h"

#include "data/Engine.h"
#include "data/Transaction.h"
#include "platform/Error.h"
#include "server/Installation.h"
#include "server/PgAccounts.h"
#include "server/PgInstallation.h"
#include "server/PgOldLogins.h"
#include "server/ServerScript.h"

#include <QRegularExpression>

namespace zeb {

namespace {

constexpr int defaultPort = 5432;

void checkServer(const InstallRequest& request)
{
    static const QRegularExpression hostName(QStringLiteral("^[A-Za-z0-9._-]+$"));
    if (!hostName.match(request.host).hasMatch())
        throw Error(
            QStringLiteral("Имя сервера «%1» недопустимо: допустимы латинские буквы, цифры, «.», «-» и «_».")
                .arg(request.host));
    if (request.port < 1 || request.port > 65535)
        throw Error(QStringLiteral("Порт %1 недопустим: нужен номер от 1 до 65535.").arg(request.port));
}

} // namespace

const EngineAdministration& PgAdministration::instance()
{
    static const PgAdministration administration;
    return administration;
}

QString PgAdministration::dataSource(const InstallRequest& request) const
{
    checkServer(request);
    QString dataSource = QStringLiteral("pg:") + request.host;
    if (request.port != defaultPort)
        dataSource += QLatin1Char(':') + QString::number(request.port);
    return dataSource;
}

std::unique_ptr<InstallTarget> PgAdministration::target(const InstallRequest& request,
                                                        const FirstConnectInfo& settings,
                                                        const QString&) const
{
    return std::make_unique<PgInstallation>(request, settings.dataSource,
                                            ServerAccount{settings.userId, settings.password});
}

bool PgAdministration::repairAccounts(const FirstConnectInfo& settings, const ServerAccount& admin,
                                      const QString& dataDirectory) const
{
    const std::unique_ptr<Engine> engine = openAdmin(settings, admin, dataDirectory);
    {
        Transaction transaction(*engine);
        engine->runScript(serverScript(ServerScript::PgUpgrade));
        engine->runScript(serverScript(ServerScript::PgProcedures));
        applyPgAccounts(*engine, settings.initialCatalog, ServerAccount{settings.userId, settings.password},
                        Installation::workRole(settings.initialCatalog));
        transaction.commit();
    }
    engine->close();
    return true;
}

QStringList PgAdministration::removeOrphanLogins(const FirstConnectInfo& settings, const ServerAccount& admin,
                                                 const QString& dataDirectory) const
{
    const std::unique_ptr<Engine> engine = openAdmin(settings, admin, dataDirectory);
    const QStringList orphans = pgOrphanPersonLogins(*engine, settings.initialCatalog);
    dropPgRoles(*engine, orphans);
    engine->close();
    return orphans;
}

} // namespace zeb
