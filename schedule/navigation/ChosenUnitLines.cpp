#include "schedule/navigation/ChosenUnitLines.h"

#include "data/TsqlText.h"
#include "report/history/LinesAsOf.h"

namespace zeb::navigation {

namespace {

// The condition on a line's unit columns, each named `prefix` + its name, that keeps the chosen unit's lines;
// empty when no unit is chosen.
QString chosenUnitCondition(const ChosenUnit& unit, const QString& prefix)
{
    const auto is = [&](const char* column, const QVariant& key) {
        return prefix + QLatin1String(column) + u'=' + decimalKey(key);
    };
    const auto none = [&](const char* column) {
        return prefix + QLatin1String(column) + QStringLiteral(" is null");
    };
    const QString also = QStringLiteral(" and ");
    if (!unit.division.isNull()) {
        const QString division = is("id_otdel_1", unit.division);
        if (unit.subLevel.isNull())
            return division + also + none("id_otdel_11");
        return division + also + is("id_otdel_11", unit.subLevel);
    }
    if (unit.faculty.isNull())
        return {};
    const QString faculty = is("id_faculty", unit.faculty);
    if (!unit.level2Division.isNull())
        return is("id_otdel_2", unit.level2Division) + also + faculty;
    if (!unit.department.isNull())
        return is("id_kafedra", unit.department) + also + faculty;
    return faculty + also + none("id_kafedra") + also + none("id_otdel_2");
}

} // namespace

QString chosenUnitLinesAsOf(const ChosenUnit& unit, QDate day)
{
    if (chosenUnitCondition(unit, {}).isEmpty())
        return {};
    const auto condition = [&unit](const QString& prefix) { return chosenUnitCondition(unit, prefix); };
    return QStringLiteral("SELECT * FROM (") + linesAsOf(day, condition) +
           QStringLiteral(") Vakansii ORDER BY Num");
}

} // namespace zeb::navigation
