#include "dialogs/SharedLists.h"

#include "data/module/DataModule.h"
#include "dialogs/directory/DirectoryStatements.h"

namespace zeb {

void restoreSharedLists(DataModule& dataModule, const QVariant& faculty)
{
    dataModule.divisions.setSql(DataModule::divisionsInUseStatement());
    dataModule.divisions.open();
    if (!faculty.isNull())
        restoreFacultyDepartments(dataModule, faculty);
}

void restoreFacultyDepartments(DataModule& dataModule, const QVariant& faculty)
{
    dataModule.departments.setSql(directory::facultyDepartments(faculty));
    dataModule.departments.open();
}

} // namespace zeb
