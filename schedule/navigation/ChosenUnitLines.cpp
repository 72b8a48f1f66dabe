#include "schedule/navigation/ChosenUnitLines.h"

#include "data/TsqlText.h"

namespace zeb::navigation {

namespace {

// The columns of a line, in the order of the table.
const QStringList lineColumns{
    QStringLiteral("id_vakansiya"), QStringLiteral("id_otdel_1"),   QStringLiteral("id_otdel_11"),
    QStringLiteral("id_faculty"),   QStringLiteral("id_kafedra"),   QStringLiteral("id_post"),
    QStringLiteral("q_units"),      QStringLiteral("razrad"),       QStringLiteral("Num"),
    QStringLiteral("id_otdel_2"),   QStringLiteral("id_enter"),     QStringLiteral("e_n_p"),
    QStringLiteral("e_d_p"),        QStringLiteral("id_deduce"),    QStringLiteral("d_n_p"),
    QStringLiteral("d_d_p"),        QStringLiteral("id_structure"), QStringLiteral("id_bk"),
    QStringLiteral("ZEB_User"),     QStringLiteral("ZEB_Update"),   QStringLiteral("hourFond"),
    QStringLiteral("descr")};

// The first change of line `line` (an expression) made after `after` (a T-SQL date literal), by its key.
QString firstChangeAfter(const QString& line, const QString& after)
{
    return QStringLiteral("(SELECT min(f.id_history) FROM dbo.Vakansii_history f WHERE f.id_vakansiya = %1 "
                          "AND f.changed >= %2)")
        .arg(line, after);
}

// The lines as they are today, but for those changed or deleted after the day.
QString unchangedSince(const QString& after, const QString& condition)
{
    QStringList columns;
    for (const QString& column : lineColumns)
        columns.append(QStringLiteral("v.") + column);
    return QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM dbo.Vakansii v WHERE ") + condition +
           QStringLiteral(" AND NOT EXISTS (SELECT 1 FROM dbo.Vakansii_history h WHERE h.id_vakansiya = "
                          "v.id_vakansiya AND h.change_kind <> 'I' AND h.id_history = ") +
           firstChangeAfter(QStringLiteral("v.id_vakansiya"), after) + u')';
}

// The values those lines had before their first change after the day. The save stamps are not kept.
QString valuesBefore(const QString& after, const QString& condition)
{
    QStringList columns;
    for (const QString& column : lineColumns) {
        if (column == u"id_vakansiya")
            columns.append(QStringLiteral("h.id_vakansiya"));
        else if (column.startsWith(u"ZEB_"))
            columns.append(QStringLiteral("NULL"));
        else
            columns.append(QStringLiteral("h.old_") + column);
    }
    return QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM dbo.Vakansii_history h WHERE ") + condition +
           QStringLiteral(" AND h.changed >= ") + after +
           QStringLiteral(" AND h.change_kind <> 'I' AND h.id_history = ") +
           firstChangeAfter(QStringLiteral("h.id_vakansiya"), after);
}

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
    // Changes are kept with the time they were made: the day's own ones count.
    const QString after = tsqlStringLiteral(day.addDays(1).toString(QStringLiteral("dd.MM.yyyy")));
    return QStringLiteral("SELECT * FROM (") +
           unchangedSince(after, chosenUnitCondition(unit, QStringLiteral("v."))) +
           QStringLiteral(" UNION ALL ") +
           valuesBefore(after, chosenUnitCondition(unit, QStringLiteral("h.old_"))) +
           QStringLiteral(") Vakansii ORDER BY Num");
}

} // namespace zeb::navigation
