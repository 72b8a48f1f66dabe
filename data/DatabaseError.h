#pragma once

#include "Error.h"

namespace zeb {

// An engine refused a statement or a connection; the message is the engine's own text.
class DatabaseError : public Error
{
public:
    using Error::Error;
};

} // namespace zeb
