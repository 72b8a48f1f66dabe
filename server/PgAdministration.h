#pragma once

#include "server/EngineAdministration.h"

namespace zeb {

// PostgreSQL: a database with schema dbo on a server, its sign-in and group roles and each person's own
// login, all of which belong to the whole server.
class PgAdministration final : public EngineAdministration
{
public:
    static const EngineAdministration& instance();

    QString dataSource(const InstallRequest& request) const override;
    std::unique_ptr<InstallTarget> target(const InstallRequest& request, const FirstConnectInfo& settings,
                                          const QString& dataDirectory) const override;
    // Upgrades the schema, makes the procedures again and restores the accounts, in one transaction.
    bool repairAccounts(const FirstConnectInfo& settings, const ServerAccount& admin,
                        const QString& dataDirectory) const override;
    QStringList removeOrphanLogins(const FirstConnectInfo& settings, const ServerAccount& admin,
                                   const QString& dataDirectory) const override;
};

} // namespace zeb
