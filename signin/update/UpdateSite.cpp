#include "signin/update/UpdateSite.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace zeb {

UpdateSite UpdateSite::current()
{
    const QString executable = QCoreApplication::applicationFilePath();
    const QString realPath = QFileInfo(executable).canonicalFilePath();
    return {QCoreApplication::applicationDirPath(), realPath.isEmpty() ? executable : realPath,
            QCoreApplication::applicationPid()};
}

} // namespace zeb
