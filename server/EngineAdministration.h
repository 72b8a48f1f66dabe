#pragma once

#include "credentials/FirstConnectInfo.h"
#include "server/InstallRequest.h"
#include "server/ServerAccount.h"

#include <QStringList>
#include <memory>

namespace zeb {

class Engine;
class InstallTarget;

// What installing and administering an installation does differently on each engine: one subclass per
// engine, beside that engine's installation; administrationOf() (AdministrationFactory.h) picks it.
// An installed database is given by its settings file's values and the folder of an embedded file.
class EngineAdministration
{
public:
    virtual ~EngineAdministration() = default;

    // The database a new installation gets when none is named.
    virtual QString defaultDatabase() const;
    // Whether a database name may hold capitals: the engine keeps names as written.
    virtual bool keepsNameCase() const;
    // The Data Source of the new installation's settings file; raises Error for a server it cannot name.
    virtual QString dataSource(const InstallRequest& request) const = 0;
    // What makes the requested database; `settings` is what the settings file will hold.
    virtual std::unique_ptr<InstallTarget> target(const InstallRequest& request,
                                                  const FirstConnectInfo& settings,
                                                  const QString& dataDirectory) const = 0;

    // An open engine with the administrator's rights on the installed database.
    virtual std::unique_ptr<Engine> openAdmin(const FirstConnectInfo& settings, const ServerAccount& admin,
                                              const QString& dataDirectory) const;
    // Gives the installation's server accounts back as installed; false when the engine has none.
    virtual bool repairAccounts(const FirstConnectInfo& settings, const ServerAccount& admin,
                                const QString& dataDirectory) const;
    // Drops the persons' server logins that no user refers to any more and returns their names.
    virtual QStringList removeOrphanLogins(const FirstConnectInfo& settings, const ServerAccount& admin,
                                           const QString& dataDirectory) const;
};

} // namespace zeb
