#pragma once

#include <QString>

namespace zeb {

class Connection;

// True when an employee is still placed on the line with key `lineKey` (an employee row pointing at it
// whose leave kind is 4 or empty). The statement is the one an existing server expects.
bool lineHasEmployees(Connection& connection, qint64 lineKey);

// The warning shown when such a line is to be withdrawn.
QString occupiedLineWarning();

} // namespace zeb
