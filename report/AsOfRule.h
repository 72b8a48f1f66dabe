#pragma once

#include <QDate>

namespace zeb {

// Whether a schedule line counts in the schedule as it stood on `asOf`: entered on or before that day and
// not withdrawn by an order dated on or before it. A line without an entry date was entered before records
// were kept. The withdrawal kind is not asked: it tells the state today, not the state on `asOf`.
bool countsOn(const QDate& asOf, const QDate& entered, const QDate& withdrawn);

} // namespace zeb
