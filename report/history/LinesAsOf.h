#pragma once

#include <QDate>
#include <QString>
#include <functional>

namespace zeb {

// The condition that keeps the lines wanted, naming a line's columns `prefix` followed by the column's name
// ("v.id_otdel_1", "h.old_id_otdel_1"); empty keeps every line.
using LineCondition = std::function<QString(const QString& prefix)>;

// The lines as they stood at the end of `day`, with Vakansii's columns in its order, withdrawn ones
// included, as one SELECT (a UNION ALL, without ORDER BY) to be read or placed in a FROM clause. Where the
// lines' history knows what a line was then, the line has those values (and is kept by `condition` as it
// was then, even when deleted since); a line the history knows nothing of before the day has its values of
// today. The save stamps ZEB_User and ZEB_Update are not kept, and are NULL for a line changed since.
QString linesAsOf(const QDate& day, const LineCondition& condition);

} // namespace zeb
