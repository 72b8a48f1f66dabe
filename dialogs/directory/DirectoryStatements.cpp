#include "dialogs/directory/DirectoryStatements.h"

#include "data/TsqlText.h"

namespace zeb::directory {

QString allDepartments()
{
    return QStringLiteral("Select * from Kafedra order by f1");
}

QString allDivisions()
{
    return QStringLiteral("Select * from Otdel_1 order by Otdel_1");
}

QString allFaculties()
{
    return QStringLiteral("Select * from Faculty");
}

QString facultyDepartments(const QVariant& faculty)
{
    return QStringLiteral(
               "SELECT    dbo.kafedra.f1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_kafedra FROM      "
               "dbo.Vakansii INNER JOIN           dbo.kafedra ON dbo.Vakansii.id_kafedra = "
               "dbo.kafedra.id_kafedra GROUP BY  dbo.kafedra.f1, dbo.Vakansii.id_faculty, "
               "dbo.Vakansii.id_kafedra  HAVING    (dbo.Vakansii.id_faculty = ") +
           decimalKey(faculty) + QStringLiteral(") order by dbo.kafedra.f1");
}

} // namespace zeb::directory
