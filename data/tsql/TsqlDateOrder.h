#pragma once

namespace zeb {

// The order of day, month and year in a date literal, as the session's SET DATEFORMAT says.
enum class DateOrder
{
    Mdy,
    Dmy,
    Ymd,
};

} // namespace zeb
