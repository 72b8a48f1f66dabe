#pragma once

#include <QString>
#include <optional>

namespace zeb {

// A T-SQL LIKE pattern (% _ [abc] [a-c] [^a], and the ESCAPE character when the statement names one) as a
// pattern of the engine that matches the same texts, letters of either case alike as under the server's
// case-insensitive collation: a GLOB pattern for SQLite, an anchored regular expression for PostgreSQL.
// Nothing for a pattern the server would not read plainly: an open or empty bracket, a reversed range, an
// escape character at the end.
std::optional<QString> likeAsGlob(QStringView pattern, std::optional<char32_t> escape);
std::optional<QString> likeAsRegex(QStringView pattern, std::optional<char32_t> escape);

} // namespace zeb
