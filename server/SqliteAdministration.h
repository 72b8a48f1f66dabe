#pragma once

#include "server/EngineAdministration.h"

namespace zeb {

// The embedded engine: one file in the installation's Data folder, no server and no server accounts.
class SqliteAdministration final : public EngineAdministration
{
public:
    static const EngineAdministration& instance();

    QString dataSource(const InstallRequest& request) const override;
    std::unique_ptr<InstallTarget> target(const InstallRequest& request, const FirstConnectInfo& settings,
                                          const QString& dataDirectory) const override;
    // The administrator is whoever may open the file: the sign-in tables are open to it. A file an older
    // version made is brought up to date.
    std::unique_ptr<Engine> openAdmin(const FirstConnectInfo& settings, const ServerAccount& admin,
                                      const QString& dataDirectory) const override;
};

} // namespace zeb
