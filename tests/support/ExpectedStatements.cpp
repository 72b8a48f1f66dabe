#include "tests/support/ExpectedStatements.h"

namespace expected {

QString divisionsInUse()
{
    return QStringLiteral(
        "SELECT     dbo.Otdel_1.otdel_1, dbo.Otdel_1.id_otdel_1 FROM       dbo.Otdel_1 INNER JOIN            "
        "dbo.Vakansii ON dbo.Otdel_1.id_otdel_1 = dbo.Vakansii.id_otdel_1 WHERE      dbo.Vakansii.id_otdel_1 "
        "is "
        "not null GROUP BY   dbo.Otdel_1.otdel_1, dbo.Otdel_1.id_otdel_1 ORDER BY   Otdel_1");
}

QString subLevels(int division)
{
    return QStringLiteral(
               " SELECT   dbo.Vakansii.id_otdel_1,          dbo.Otdel_1.id_otdel_1 AS otdel_11, "
               "dbo.Otdel_1.otdel_1 FROM     dbo.Vakansii INNER JOIN           dbo.Otdel_1 ON "
               "dbo.Vakansii.id_otdel_11 = dbo.Otdel_1.id_otdel_1 where dbo.Vakansii.id_otdel_1 = ") +
           QString::number(division) +
           QStringLiteral("  and id_deduce<>2 GROUP BY dbo.Vakansii.id_otdel_1, dbo.Otdel_1.id_otdel_1, "
                          "dbo.Otdel_1.otdel_1");
}

QString divisionLines(int division)
{
    return QStringLiteral("Select * from Vakansii  where id_otdel_1=") + QString::number(division) +
           QStringLiteral(" and id_otdel_11 is null and id_deduce<>2 ORDER BY Num");
}

QString subLevelLines(int division, int subLevel)
{
    return QStringLiteral("Select * from Vakansii where id_otdel_1=") + QString::number(division) +
           QStringLiteral(" and id_otdel_11=") + QString::number(subLevel) +
           QStringLiteral(" and id_deduce<>2 ORDER BY Num");
}

QString levelTwoDivisions(int faculty)
{
    return QStringLiteral(
               "SELECT     dbo.Otdel_1.otdel_1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_otdel_2 FROM       "
               "dbo.Vakansii INNER JOIN            dbo.Otdel_1 ON dbo.Vakansii.id_otdel_2 = "
               "dbo.Otdel_1.id_otdel_1 WHERE      dbo.Vakansii.id_faculty =") +
           QString::number(faculty) + QStringLiteral("           and id_deduce <> 2 ") +
           QStringLiteral(
               "GROUP BY   dbo.Otdel_1.otdel_1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_otdel_2 ") +
           QStringLiteral("ORDER BY dbo.Otdel_1.otdel_1");
}

QString facultyDepartments(int faculty)
{
    return QStringLiteral(
               "SELECT    dbo.kafedra.f1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_kafedra FROM      "
               "dbo.Vakansii INNER JOIN           dbo.kafedra ON dbo.Vakansii.id_kafedra = "
               "dbo.kafedra.id_kafedra WHERE     dbo.Vakansii.id_deduce<>2 GROUP BY  dbo.kafedra.f1, "
               "dbo.Vakansii.id_faculty, dbo.Vakansii.id_kafedra  HAVING    (dbo.Vakansii.id_faculty = ") +
           QString::number(faculty) + QStringLiteral(") order by dbo.kafedra.f1");
}

QString facultyLines(int faculty)
{
    return QStringLiteral("Select * from Vakansii where ID_Faculty=") + QString::number(faculty) +
           QStringLiteral(" and id_kafedra is null and id_otdel_2 is null") +
           QStringLiteral(" and id_deduce<>2 ORDER BY Num");
}

QString levelTwoDivisionLines(int levelTwoDivision, int faculty)
{
    return QStringLiteral("Select * from Vakansii where id_otdel_2=") + QString::number(levelTwoDivision) +
           QStringLiteral(" and id_faculty=") + QString::number(faculty) +
           QStringLiteral(" and id_deduce<>2  ORDER BY Num");
}

QString departmentLines(int department, int faculty)
{
    return QStringLiteral("Select * from Vakansii where ID_kafedra=") + QString::number(department) +
           QStringLiteral(" and id_faculty=") + QString::number(faculty) +
           QStringLiteral(" and id_deduce<>2 ORDER BY Num");
}

QString employeesOn(int line)
{
    return QStringLiteral("Select top(1) percent working.* from working  where working.id_vakansiya=") +
           QString::number(line) + QStringLiteral(" and (id_leave=4 or id_leave is null) ");
}

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

QString departmentsWithAnyLineOf(int faculty)
{
    return QStringLiteral(
               "SELECT    dbo.kafedra.f1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_kafedra FROM      "
               "dbo.Vakansii INNER JOIN           dbo.kafedra ON dbo.Vakansii.id_kafedra = "
               "dbo.kafedra.id_kafedra GROUP BY  dbo.kafedra.f1, "
               "dbo.Vakansii.id_faculty, dbo.Vakansii.id_kafedra  HAVING    (dbo.Vakansii.id_faculty = ") +
           QString::number(faculty) + QStringLiteral(") order by dbo.kafedra.f1");
}

QString reportSetting()
{
    return QStringLiteral("Select *  FROM [ZEB].[dbo].[VuzDefaults] Where id_vuz_defaults=22");
}

QString copyDepartment(int from, int to, const QString& loginLiteral, const QString& placeLiteral)
{
    return QStringLiteral(
               "EXEC CopyKafedraOnKafedra @id_kafedraFrom = %1, @id_kafedraTo = %2, @zeb_user = %3, "
               "@ip = %4")
        .arg(from)
        .arg(to)
        .arg(loginLiteral, placeLiteral);
}

QString removeDepartment(int department)
{
    return QStringLiteral("Delete From kafedra Where kafedra.id_kafedra =%1").arg(department);
}

QString logDepartmentRemoval(int department, const QString& loginLiteral, const QString& placeLiteral)
{
    return QStringLiteral(
               "INSERT INTO ZEB_LOG([table], [row_id], [descr], [ZEB_User], [comp]) "
               "VALUES('kafedra', %1, 'Запись с уникальным номером - %1 была удалена.(id_kafedra = "
               "[%1])' , %2, %3)")
        .arg(department)
        .arg(loginLiteral, placeLiteral);
}

} // namespace expected
