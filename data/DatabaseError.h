#pragma once

#include "data/DatabaseFault.h"
#include "platform/Error.h"

namespace zeb {

// An engine refused a statement or a connection. A refusal the program recognises is explained in Russian,
// with the engine's own words after it for the administrator; any other carries the engine's text alone.
class DatabaseError : public Error
{
public:
    // A refusal in the program's own words.
    explicit DatabaseError(QString message) : Error(message), m_explanation(std::move(message)) {}
    explicit DatabaseError(const EngineFailure& failure);

    DatabaseFault fault() const noexcept { return m_fault; }
    // The Russian explanation alone, for a place too small for the engine's text; the message otherwise.
    const QString& explanation() const noexcept { return m_explanation; }
    // The engine's own words; empty for a refusal of the program.
    const QString& engineText() const noexcept { return m_engineText; }

private:
    DatabaseError(const EngineFailure& failure, const QString& explanation);

    DatabaseFault m_fault = DatabaseFault::Other;
    QString m_explanation;
    QString m_engineText;
};

} // namespace zeb
