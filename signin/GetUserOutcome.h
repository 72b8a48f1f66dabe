#pragma once

#include "signin/GetUserAnswer.h"

namespace zeb {

// What a sign-in attempt does with GET_USER's answer; the first that applies, in this order.
enum class GetUserOutcome
{
    Update,         // update indicator 2 or more: the client updates itself
    ServerMessage,  // a message, even of blanks: the sign-in is refused with it
    ChangeDemanded, // status below 0: the password must be changed
    ChangeProposed, // first attempt, an account given and status below 20: a change is offered
    Accepted,       // reconnect with the returned account
};

// attemptCount is the dialog's 8-bit counter, 1 at the first press of the sign-in button.
GetUserOutcome decideOutcome(const GetUserAnswer& answer, quint8 attemptCount);

} // namespace zeb
