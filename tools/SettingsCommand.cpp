#include "tools/Arguments.h"
#include "tools/Commands.h"
#include "signin/ConnectionString.h"
#include "tools/Console.h"
#include "server/Installation.h"
#include "credentials/SettingsFile.h"

namespace zeb {

int runSettings(const QStringList& words)
{
    const Arguments arguments(words, {}, {QStringLiteral("show-password")});
    arguments.expectPositional({QStringLiteral("папка установки DIR")});

    FirstConnectInfo settings = SettingsFile::read(Installation::settingsPath(arguments.positional().at(0)));
    // Shown on a screen or pasted into a request for help, the sign-in password would be out.
    if (!arguments.has(QStringLiteral("show-password")))
        settings.password = QStringLiteral("********");
    console::print(QStringLiteral("User ID: ") + settings.userId);
    console::print(QStringLiteral("Password: ") + settings.password);
    console::print(QStringLiteral("Initial Catalog: ") + settings.initialCatalog);
    console::print(QStringLiteral("Data Source: ") + settings.dataSource);
    console::print(QStringLiteral("Connection string: ") + buildConnectionString(settings));
    return 0;
}

} // namespace zeb
