#pragma once

#include <QString>

// The client's statements as an existing server receives them, written out fragment by fragment, runs of
// blanks included, with sample keys spliced in. Tests compare what the client sends with these.
namespace expected {

QString divisionsInUse();
QString subLevels(int division);
QString divisionLines(int division);
QString subLevelLines(int division, int subLevel);
QString levelTwoDivisions(int faculty);
QString facultyDepartments(int faculty);
QString facultyLines(int faculty);
QString levelTwoDivisionLines(int levelTwoDivision, int faculty);
QString departmentLines(int department, int faculty);
QString employeesOn(int line);

} // namespace expected
