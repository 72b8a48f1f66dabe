#pragma once

#include "data/DatabaseError.h"

#include <QString>
#include <functional>

namespace zeb {

// The engine's message for a statement or an opening, empty when it went through.
inline QString messageOf(const std::function<void()>& work)
{
    try {
        work();
    } catch (const DatabaseError& error) {
        return error.message();
    }
    return QString();
}

} // namespace zeb
