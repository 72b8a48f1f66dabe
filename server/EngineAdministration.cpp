#include "server/EngineAdministration.h"

#include "data/Engine.h"
#include "data/EngineFactory.h"
#include "server/AdministratorLogin.h"

namespace zeb {

QString EngineAdministration::defaultDatabase() const
{
    return QStringLiteral("zeb");
}

bool EngineAdministration::keepsNameCase() const
{
    return false;
}

// A server engine signs the administrator in with the account given.
std::unique_ptr<Engine> EngineAdministration::openAdmin(const FirstConnectInfo& settings,
                                                        const ServerAccount& admin,
                                                        const QString& dataDirectory) const
{
    const ConnectionParams params{admin.user, admin.password, settings.initialCatalog, settings.dataSource};
    std::unique_ptr<Engine> engine = createEngine(params, dataDirectory);
    openAsAdministrator(*engine, settings.dataSource, admin.user);
    return engine;
}

bool EngineAdministration::repairAccounts(const FirstConnectInfo&, const ServerAccount&, const QString&) const
{
    return false;
}

QStringList EngineAdministration::removeOrphanLogins(const FirstConnectInfo&, const ServerAccount&,
                                                     const QString&) const
{
    return {};
}

} // namespace zeb
