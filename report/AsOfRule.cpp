#include "report/AsOfRule.h"

namespace zeb {

bool countsOn(const QDate& asOf, const QDate& entered, const QDate& withdrawn)
{
    const bool enteredBy = !entered.isValid() || entered <= asOf;
    const bool withdrawnBy = withdrawn.isValid() && withdrawn <= asOf;
    return enteredBy && !withdrawnBy;
}

} // namespace zeb
