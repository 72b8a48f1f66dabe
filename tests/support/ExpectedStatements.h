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

// The directory editor's lists, and the departments of a faculty it gives back on closing (withdrawn
// lines included).
QString allDepartments();
QString allDivisions();
QString allFaculties();
QString departmentsWithAnyLineOf(int faculty);

QString reportSetting();

QString copyDepartment(int from, int to, const QString& loginLiteral, const QString& placeLiteral);
QString removeDepartment(int department);
QString logDepartmentRemoval(int department, const QString& loginLiteral, const QString& placeLiteral);

} // namespace expected
