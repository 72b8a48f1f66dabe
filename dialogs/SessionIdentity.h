#pragma once

#include <QString>
#include <functional>

namespace zeb {

// Who works where, for the audit stamps of what the dialogs write.
struct SessionIdentity
{
    QString login;
    QString computerName;
    // This workstation's address, looked up at each call; raises zeb::Error when it cannot be had.
    std::function<QString()> ip;
};

} // namespace zeb
