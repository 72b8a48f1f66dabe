#include "AccountRepair.h"

#include "AdministrationFactory.h"
#include "EngineAdministration.h"
#include "Installation.h"
#include "SettingsFile.h"

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
