#pragma once

#include <QVariant>

namespace zeb {

class DataModule;

// The main window shares its division and department lists with the dialogs, which show full lists while
// open. Closing a dialog gives the main window its lists back.

// Divisions in use; then, when `faculty` is not null, the departments with any line of that faculty.
void restoreSharedLists(DataModule& dataModule, const QVariant& faculty);
// The departments with any line of `faculty` (withdrawn lines included).
void restoreFacultyDepartments(DataModule& dataModule, const QVariant& faculty);

} // namespace zeb
