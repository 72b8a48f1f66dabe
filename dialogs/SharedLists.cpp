#include "SharedLists.h"

#include "DataModule.h"
#include "DirectoryStatements.h"

namespace zeb {

void restoreSharedLists(TDM_shtat& dataModule, const QVariant& faculty)
{
    dataModule.ADOQ_Otdel_1.setSql(TDM_shtat::divisionsInUseStatement());
    dataModule.ADOQ_Otdel_1.open();
    if (!faculty.isNull())
        restoreFacultyDepartments(dataModule, faculty);
}

void restoreFacultyDepartments(TDM_shtat& dataModule, const QVariant& faculty)
{
    dataModule.ADOQ_Kafedra.setSql(directory::facultyDepartments(faculty));
    dataModule.ADOQ_Kafedra.open();
}

} // namespace zeb
