#include "schedule/navigation/NavigationStatements.h"

#include "data/TsqlText.h"

namespace zeb::navigation {

QString emptySchedule()
{
    return QStringLiteral("Select TOP(0)Vakansii.*  from Vakansii ");
}

QString subLevels(const QVariant& division)
{
    return QStringLiteral(
               " SELECT   dbo.Vakansii.id_otdel_1,          dbo.Otdel_1.id_otdel_1 AS otdel_11, "
               "dbo.Otdel_1.otdel_1 FROM     dbo.Vakansii INNER JOIN           dbo.Otdel_1 ON "
               "dbo.Vakansii.id_otdel_11 = dbo.Otdel_1.id_otdel_1 where dbo.Vakansii.id_otdel_1 = ") +
           decimalKey(division) +
           QStringLiteral("  and id_deduce<>2 GROUP BY dbo.Vakansii.id_otdel_1, dbo.Otdel_1.id_otdel_1, "
                          "dbo.Otdel_1.otdel_1");
}

QString divisionLines(const QVariant& division)
{
    return QStringLiteral("Select * from Vakansii  where id_otdel_1=") + decimalKey(division) +
           QStringLiteral(" and id_otdel_11 is null and id_deduce<>2 ORDER BY Num");
}

QString subLevelLines(const QVariant& division, const QVariant& subLevel)
{
    return QStringLiteral("Select * from Vakansii where id_otdel_1=") + decimalKey(division) +
           QStringLiteral(" and id_otdel_11=") + decimalKey(subLevel) +
           QStringLiteral(" and id_deduce<>2 ORDER BY Num");
}

QString level2Divisions(const QVariant& faculty)
{
    return QStringLiteral(
               "SELECT     dbo.Otdel_1.otdel_1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_otdel_2 FROM  "
               "     dbo.Vakansii INNER JOIN            dbo.Otdel_1 ON dbo.Vakansii.id_otdel_2 = "
               "dbo.Otdel_1.id_otdel_1 WHERE      dbo.Vakansii.id_faculty =") +
           decimalKey(faculty) +
           QStringLiteral(
               "           and id_deduce <> 2 GROUP BY   dbo.Otdel_1.otdel_1, dbo.Vakansii.id_faculty, "
               "dbo.Vakansii.id_otdel_2 ORDER BY dbo.Otdel_1.otdel_1");
}

QString departments(const QVariant& faculty)
{
    return QStringLiteral(
               "SELECT    dbo.kafedra.f1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_kafedra FROM      "
               "dbo.Vakansii INNER JOIN           dbo.kafedra ON dbo.Vakansii.id_kafedra = "
               "dbo.kafedra.id_kafedra WHERE     dbo.Vakansii.id_deduce<>2 GROUP BY  dbo.kafedra.f1, "
               "dbo.Vakansii.id_faculty, dbo.Vakansii.id_kafedra  HAVING    (dbo.Vakansii.id_faculty = ") +
           decimalKey(faculty) + QStringLiteral(") order by dbo.kafedra.f1");
}

QString facultyLines(const QVariant& faculty)
{
    return QStringLiteral("Select * from Vakansii where ID_Faculty=") + decimalKey(faculty) +
           QStringLiteral(" and id_kafedra is null and id_otdel_2 is null and id_deduce<>2 ORDER BY Num");
}

QString level2DivisionLines(const QVariant& level2Division, const QVariant& faculty)
{
    return QStringLiteral("Select * from Vakansii where id_otdel_2=") + decimalKey(level2Division) +
           QStringLiteral(" and id_faculty=") + decimalKey(faculty) +
           QStringLiteral(" and id_deduce<>2  ORDER BY Num");
}

QString departmentLines(const QVariant& department, const QVariant& faculty)
{
    return QStringLiteral("Select * from Vakansii where ID_kafedra=") + decimalKey(department) +
           QStringLiteral(" and id_faculty=") + decimalKey(faculty) +
           QStringLiteral(" and id_deduce<>2 ORDER BY Num");
}

} // namespace zeb::navigation
