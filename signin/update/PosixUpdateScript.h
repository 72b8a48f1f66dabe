#pragma once

#include "signin/update/UpdateSite.h"

#include <QByteArray>
#include <chrono>

namespace zeb {

// The sh script that replaces the program on Linux. It polls until the site's process has ended, giving
// up untouched after waitLimit; then, when home's "tempZEB/ZEB 7.exe" exists and is not empty, it puts
// that file in place of the executable in one rename, makes it executable, removes "tempZEB" and starts
// the new executable in home. It removes itself (scriptPath) unless it gave up.
QByteArray posixUpdateScript(const UpdateSite& site, const QString& scriptPath,
                             std::chrono::milliseconds pollInterval = std::chrono::milliseconds(200),
                             std::chrono::milliseconds waitLimit = std::chrono::seconds(120));

} // namespace zeb
