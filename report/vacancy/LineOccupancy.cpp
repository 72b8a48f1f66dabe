#include "report/vacancy/LineOccupancy.h"

#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Engine.h"
#include "report/Money.h"

namespace zeb {

namespace {

// The condition that keeps the scope's lines, with its keys appended to `params`; empty for every line.
QString scopeCondition(const Dialect& dialect, const VacancyScope& scope, QVariantList& params)
{
    const auto key = [&](const QString& column, const QVariant& value) {
        params.append(value.toLongLong());
        return QStringLiteral(" AND v.%1 = %2").arg(column, dialect.placeholder(int(params.size() - 1)));
    };
    if (!scope.division.isNull()) {
        const QString division = key(QStringLiteral("id_otdel_1"), scope.division);
        if (scope.subLevel.isNull())
            return division + QStringLiteral(" AND v.id_otdel_11 IS NULL");
        return division + key(QStringLiteral("id_otdel_11"), scope.subLevel);
    }
    if (scope.faculty.isNull())
        return {};
    const QString faculty = key(QStringLiteral("id_faculty"), scope.faculty);
    if (!scope.level2Division.isNull())
        return faculty + key(QStringLiteral("id_otdel_2"), scope.level2Division);
    if (!scope.department.isNull())
        return faculty + key(QStringLiteral("id_kafedra"), scope.department);
    return faculty + QStringLiteral(" AND v.id_kafedra IS NULL AND v.id_otdel_2 IS NULL");
}

} // namespace

LineOccupancy LineOccupancy::load(Connection& connection, const QDate& day, const VacancyScope& scope)
{
    Engine& engine = connection.engine();
    const Dialect& dialect = engine.dialect();
    // Compared with the next midnight, a date stored with or without a time of day counts by its day.
    const QDate nextDay = day.addDays(1);
    QVariantList params{nextDay, nextDay};
    const QString condition = scopeCondition(dialect, scope, params);
    const QString lines = condition.isEmpty()
                              ? QString()
                              : QStringLiteral(" JOIN %1 v ON v.id_vakansiya = w.id_vakansiya")
                                    .arg(dialect.clientTable(QStringLiteral("Vakansii")));
    // Rates are summed here, each to hundredths, so that 0,1 + 0,2 is 0,3 on every engine; an engine's
    // grouping would cost more than the adding.
    const QString statement =
        QStringLiteral("SELECT w.id_vakansiya, s.stavka FROM %1 w "
                       "JOIN %2 s ON s.id_stavka = w.id_stavka%3 "
                       "WHERE w.date_come < %4 AND (w.date_leave >= %5 OR (w.date_leave IS NULL "
                       "AND (w.id_leave IS NULL OR w.id_leave = 4)))%6")
            .arg(dialect.clientTable(QStringLiteral("Working")),
                 dialect.clientTable(QStringLiteral("Stavka")), lines, dialect.placeholder(0),
                 dialect.placeholder(1), condition);
    const StatementResult result = engine.run(statement, params);
    LineOccupancy occupancy;
    while (result.rows->next()) {
        if (result.rows->isNull(0))
            continue;
        occupancy.m_byLine[result.rows->toInt64(0)] += unitHundredths(result.rows->toDouble(1));
    }
    return occupancy;
}

} // namespace zeb
