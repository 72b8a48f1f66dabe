#pragma once

#include "TsqlRewriter.h"

#include <QString>
#include <optional>

namespace zeb {

// The ISO form ('YYYY-MM-DD', 'YYYY-MM-DD HH:MM:SS[.fff]') of a literal's text that is exactly a date,
// or a date and a time, written with '.', '/' or '-' in the session's date order. Nothing for a text
// already in ISO order and for anything that is not a valid date.
std::optional<QString> isoDateFromLiteral(QStringView text, DateOrder order);

} // namespace zeb
