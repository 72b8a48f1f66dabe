#include "report/SalaryScale.h"

#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Engine.h"

#include <iterator>

namespace zeb {

SalaryScale SalaryScale::load(Connection& connection)
{
    return load(connection.engine());
}

SalaryScale SalaryScale::load(Engine& engine)
{
    SalaryScale scale;
    const StatementResult result =
        engine.run(QStringLiteral("SELECT razrad, date_from, oklad FROM %1")
                       .arg(engine.dialect().clientTable(QStringLiteral("Oklad"))));
    while (result.rows->next()) {
        // The table's constraints keep every cell filled and every amount a number.
        const std::optional<qint64> grade = result.rows->wholeNumber(0);
        const QDate from = result.rows->value(1).toDate();
        const std::optional<Money> salary = Money::fromValue(result.rows->value(2));
        if (grade && from.isValid() && salary)
            scale.add(*grade, from, *salary);
    }
    return scale;
}

void SalaryScale::add(qint64 grade, const QDate& from, Money salary)
{
    m_byGrade[grade][from] = salary;
}

std::optional<Money> SalaryScale::salaryOn(qint64 grade, const QDate& day) const
{
    const auto scale = m_byGrade.find(grade);
    if (scale == m_byGrade.end())
        return std::nullopt;
    const auto later = scale->second.upper_bound(day);
    if (later == scale->second.begin())
        return std::nullopt;
    return std::prev(later)->second;
}

} // namespace zeb
