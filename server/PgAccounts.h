#pragma once

#include "server/ServerAccount.h"

#include <QString>

namespace zeb {

class Engine;

// The accounts of a PostgreSQL installation, set up as installed, or restored where anything differs: the
// sign-in role with its password, allowed only to run GET_USER, and the group role that holds the schedule
// rights, cannot log in itself and takes in each person's own login. Runs in the engine's current
// transaction as the owner of the schema. Raises Error when a name or the password is not one the
// installation makes, since they are spliced into the statements.
void applyPgAccounts(Engine& engine, const QString& database, const ServerAccount& signin,
                     const QString& workGroup);

} // namespace zeb
