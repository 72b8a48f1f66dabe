#pragma once

#include "credentials/FirstConnectInfo.h"
#include "server/InstallRequest.h"

namespace zeb {

// Creates a database with its schema, procedures and accounts, optionally the demo data, and writes the
// settings file the client signs in with. Nothing existing is overwritten: an existing settings file,
// database file or database is refused, and a failed installation removes what it created.
class Installer
{
public:
    Installer() = delete;

    // Returns what was written to directory/Data/ZEB. Raises Error with a Russian text on any failure.
    static FirstConnectInfo install(const InstallRequest& request);
};

} // namespace zeb
