#pragma once

#include "server/ServerAccount.h"

#include <QString>

namespace zeb {

enum class AccountRepairResult
{
    // The embedded engine has no server accounts.
    NothingToRepair,
    Repaired,
};

// Gives the installation in the folder its server accounts back as installed, as the administrator: the
// sign-in role of the settings file gets that file's password, its login, no settings of its own, no group
// and no right but running GET_USER; the persons' group cannot log in. An installation made before the
// persons had logins of their own is brought to that scheme on the way. All or nothing, in one transaction.
// Raises Error when the settings cannot be read, name another server kind, or the server refuses.
AccountRepairResult repairAccounts(const QString& installationDirectory, const ServerAccount& admin);

} // namespace zeb
