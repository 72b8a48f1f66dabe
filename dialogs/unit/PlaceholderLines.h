#pragma once

#include <QString>
#include <QVariant>

namespace zeb::unit {

// A unit enters the schedule with one placeholder line: post 1 and the unit's columns, the server's
// defaults for the rest. The statements are the ones an existing server expects, blanks included; keys
// enter as bare decimal integers and anything but an integer raises zeb::Error.

// Where a division is brought into the schedule.
enum class DivisionPlace
{
    SubLevel,   // under the first-level division chosen in the main window
    LevelTwo,   // under the faculty chosen in the main window
    FirstLevel, // on its own
};

// `parent` is the chosen first-level division (SubLevel) or faculty (LevelTwo); unused for FirstLevel.
QString divisionLine(DivisionPlace place, const QVariant& division, const QVariant& parent);
QString departmentLine(const QVariant& department, const QVariant& faculty);

} // namespace zeb::unit
