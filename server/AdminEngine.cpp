#include "AdminEngine.h"

#include "AdministrationFactory.h"
#include "EngineAdministration.h"
#include "Installation.h"
#include "SettingsFile.h"

namespace zeb {

std::unique_ptr<Engine> openAdminEngine(const QString& installationDirectory, const ServerAccount& admin)
{
    const FirstConnectInfo settings = SettingsFile::read(Installation::settingsPath(installationDirectory));
    return administrationOf(settings).openAdmin(settings, admin,
                                                Installation::dataDirectory(installationDirectory));
}

} // namespace zeb
