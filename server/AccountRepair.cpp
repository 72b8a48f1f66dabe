#include "server/AccountRepair.h"

#include "credentials/SettingsFile.h"
#include "server/AdministrationFactory.h"
#include "server/EngineAdministration.h"
#include "server/Installation.h"

namespace zeb {

AccountRepairResult repairAccounts(const QString& installationDirectory, const ServerAccount& admin)
{
    const FirstConnectInfo settings = SettingsFile::read(Installation::settingsPath(installationDirectory));
    const bool repaired = administrationOf(settings).repairAccounts(
        settings, admin, Installation::dataDirectory(installationDirectory));
    return repaired ? AccountRepairResult::Repaired : AccountRepairResult::NothingToRepair;
}

QStringList removeOrphanPersonLogins(const QString& installationDirectory, const ServerAccount& admin)
{
    const FirstConnectInfo settings = SettingsFile::read(Installation::settingsPath(installationDirectory));
    return administrationOf(settings).removeOrphanLogins(settings, admin,
                                                         Installation::dataDirectory(installationDirectory));
}

} // namespace zeb
