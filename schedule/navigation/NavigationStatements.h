#pragma once

#include <QString>
#include <QVariant>

namespace zeb::navigation {

// The statements the main window sends when a unit is chosen, exactly as an existing server expects
// them. Keys go in as bare decimal integers; a key that is not an integer raises zeb::Error, so no
// text can ever reach a statement.

// The schedule after a tab switch: no lines, every column.
QString emptySchedule();

// Sub-levels of level-1 division `division` that carry lines in use.
QString subLevels(const QVariant& division);
// Lines of a level-1 division that belong to none of its sub-levels.
QString divisionLines(const QVariant& division);
QString subLevelLines(const QVariant& division, const QVariant& subLevel);

// Level-2 divisions and departments that carry lines of `faculty`.
QString level2Divisions(const QVariant& faculty);
QString departments(const QVariant& faculty);
// Lines of a faculty outside its level-2 divisions and departments.
QString facultyLines(const QVariant& faculty);
QString level2DivisionLines(const QVariant& level2Division, const QVariant& faculty);
QString departmentLines(const QVariant& department, const QVariant& faculty);

} // namespace zeb::navigation
