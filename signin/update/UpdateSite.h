#pragma once

#include <QString>

namespace zeb {

// What a self-update works on: home (the folder of the executable, where the downloads and the script go),
// the executable file that gets replaced and the process that must end before it is.
struct UpdateSite
{
    QString home;
    QString executable;
    qint64 processId = 0;

    // The running program, its executable taken by its real path so that a link to it stays a link.
    static UpdateSite current();
};

} // namespace zeb
