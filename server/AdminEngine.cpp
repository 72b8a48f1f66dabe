#include "server/AdminEngine.h"

#include "credentials/SettingsFile.h"
#include "server/AdministrationFactory.h"
#include "server/EngineAdministration.h"
#include "server/Installation.h"

namespace zeb {

std::unique_ptr<Engine> openAdminEngine(const QString& installationDirectory, const ServerAccount& admin)
{
    const FirstConnectInfo settings = SettingsFile::read(Installation::settingsPath(installationDirectory));
    return administrationOf(settings).openAdmin(settings, admin,
                                                Installation::dataDirectory(installationDirectory));
}

} // namespace zeb
