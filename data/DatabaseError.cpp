#include "data/DatabaseError.h"

namespace zeb {

namespace {

QString joined(const QString& explanation, const QString& engineText)
{
    if (explanation.isEmpty())
        return engineText;
    if (engineText.isEmpty())
        return explanation;
    return explanation + QStringLiteral("\n\nСообщение базы данных: ") + engineText;
}

} // namespace

DatabaseError::DatabaseError(const EngineFailure& failure) : DatabaseError(failure, faultExplanation(failure))
{
}

DatabaseError::DatabaseError(const EngineFailure& failure, const QString& explanation)
    : Error(joined(explanation, failure.engineText)), m_fault(failure.fault),
      m_explanation(explanation.isEmpty() ? failure.engineText : explanation),
      m_engineText(failure.engineText)
{
}

} // namespace zeb
