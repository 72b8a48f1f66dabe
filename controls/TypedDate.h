#pragma once

#include <QDate>
#include <QString>

namespace zeb {

// A date typed in full: day and month of one or two digits and a four-digit year, separated by ".", ","
// or "/" ("01.01.2018", "1,1,2018", "01/01/2018"), or eight digits without separators ("01012018").
// Invalid for anything else, an impossible day included.
QDate typedDate(const QString& text);

} // namespace zeb
