#include "schedule/navigation/ChosenUnitLines.h"

#include "data/TsqlText.h"

namespace zeb::navigation {

namespace {

QString linesWhere(const QString& condition)
{
    return QStringLiteral("Select * from Vakansii where ") + condition + QStringLiteral(" ORDER BY Num");
}

} // namespace

QString chosenUnitLinesInAnyState(const ChosenUnit& unit)
{
    if (!unit.division.isNull()) {
        const QString division = QStringLiteral("id_otdel_1=") + decimalKey(unit.division);
        if (unit.subLevel.isNull())
            return linesWhere(division + QStringLiteral(" and id_otdel_11 is null"));
        return linesWhere(division + QStringLiteral(" and id_otdel_11=") + decimalKey(unit.subLevel));
    }
    if (unit.faculty.isNull())
        return {};
    const QString faculty = QStringLiteral("id_faculty=") + decimalKey(unit.faculty);
    if (!unit.level2Division.isNull())
        return linesWhere(QStringLiteral("id_otdel_2=") + decimalKey(unit.level2Division) +
                          QStringLiteral(" and ") + faculty);
    if (!unit.department.isNull())
        return linesWhere(QStringLiteral("id_kafedra=") + decimalKey(unit.department) +
                          QStringLiteral(" and ") + faculty);
    return linesWhere(faculty + QStringLiteral(" and id_kafedra is null and id_otdel_2 is null"));
}

} // namespace zeb::navigation
