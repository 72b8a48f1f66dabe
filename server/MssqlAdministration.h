#pragma once

#include "server/EngineAdministration.h"

namespace zeb {

// Microsoft SQL Server: a database the client's statements name ZEB, made and repaired by the scripts of
// server/mssql run batch by batch as sqlcmd runs them.
class MssqlAdministration final : public EngineAdministration
{
public:
    static const EngineAdministration& instance();

    // The client's statements name the database ZEB.
    QString defaultDatabase() const override;
    bool keepsNameCase() const override;
    // `host`, `host,port` or `host\instance`, as SQL Server's own tools write a server.
    QString dataSource(const InstallRequest& request) const override;
    std::unique_ptr<InstallTarget> target(const InstallRequest& request, const FirstConnectInfo& settings,
                                          const QString& dataDirectory) const override;
    // As a hand run does, batch by batch: ALTER DATABASE and CREATE PROCEDURE take no transaction.
    bool repairAccounts(const FirstConnectInfo& settings, const ServerAccount& admin,
                        const QString& dataDirectory) const override;
};

} // namespace zeb
