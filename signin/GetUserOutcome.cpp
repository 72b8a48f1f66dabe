#include "signin/GetUserOutcome.h"

namespace zeb {

GetUserOutcome decideOutcome(const GetUserAnswer& answer, quint8 attemptCount)
{
    if (answer.updateIndicator >= 2)
        return GetUserOutcome::Update;
    if (!answer.message.isEmpty())
        return GetUserOutcome::ServerMessage;
    if (answer.passwordStatus < 0)
        return GetUserOutcome::ChangeDemanded;
    if (attemptCount == 1 && !answer.dbUserId.isEmpty() && answer.passwordStatus < 20)
        return GetUserOutcome::ChangeProposed;
    return GetUserOutcome::Accepted;
}

} // namespace zeb
