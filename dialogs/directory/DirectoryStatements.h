#pragma once

#include <QString>
#include <QVariant>

namespace zeb::directory {

// The full, unfiltered lists the directory editor shows, and what its closing gives back to the main
// window's selectors.

QString allDepartments();
QString allDivisions();
QString allFaculties();

// Departments that carry lines of `faculty`, withdrawn lines included; the key enters as bare decimal
// digits and anything but an integer raises zeb::Error.
QString facultyDepartments(const QVariant& faculty);

} // namespace zeb::directory
