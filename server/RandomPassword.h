#pragma once

#include <QString>

namespace zeb {

// A password of Latin letters and digits from the system's secure random source; safe to place in a
// connection string and between quotes of an SQL literal.
QString randomPassword(int length = 16);

} // namespace zeb
