#include "report/change/LineStates.h"

#include "data/Connection.h"
#include "data/ResultCursor.h"
#include "report/AsOfRule.h"
#include "report/Money.h"
#include "report/ReportStatements.h"
#include "report/history/LinesAsOf.h"

namespace zeb {

qint64 LineState::unitsOn(const QDate& day) const
{
    return countsOn(day, entered, withdrawn) ? units : 0;
}

QString LineStates::statement(const QDate& day)
{
    const QString asOf = linesAsOf(day, [](const QString&) { return QString(); });
    return reportstatements::linesOf(u'(' + asOf + u')');
}

LineStates LineStates::load(Connection& connection, const QDate& day, UnitNamesByKey& names)
{
    using namespace reportstatements;
    const std::unique_ptr<ResultCursor> rows = connection.query(statement(day));
    LineStates states;
    while (rows->next()) {
        LineState line;
        if (!rows->isNull(Number))
            line.number = rows->toInt64(Number);
        line.units = unitHundredths(rows->toDouble(Units));
        line.entered = rows->value(EnteredOn).toDate();
        line.withdrawn = rows->value(WithdrawnOn).toDate();
        line.entryOrder = rows->toText(OrderNumber).trimmed();
        line.withdrawalOrder = rows->toText(WithdrawalOrder).trimmed();
        line.post = rows->toText(Post).trimmed();
        line.category = rows->toText(Category).trimmed();
        line.funding = rows->toText(Funding).trimmed();
        line.unit = lineUnit(*rows);
        if (!names.contains(line.unit))
            names.emplace(line.unit, lineUnitNames(*rows, line.unit));
        states.m_lines.emplace(rows->toInt64(LineKey), std::move(line));
    }
    return states;
}

const LineState* LineStates::find(qint64 key) const
{
    const auto found = m_lines.find(key);
    return found == m_lines.end() ? nullptr : &found->second;
}

} // namespace zeb
