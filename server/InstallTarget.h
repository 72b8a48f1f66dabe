#pragma once

#include "server/ServerAccount.h"

namespace zeb {

// The new database of one engine: made by create(), taken away again by undo() when the installation fails
// afterwards (its settings file cannot be written).
class InstallTarget
{
public:
    virtual ~InstallTarget() = default;

    // `work` names the group role of the persons' logins; `demo` adds the demo data.
    virtual void create(const ServerAccount& work, bool demo) = 0;
    virtual void undo() = 0;
};

} // namespace zeb
