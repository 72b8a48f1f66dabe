#include "report/ScheduleReport.h"

#include "data/Connection.h"
#include "data/ResultCursor.h"
#include "platform/Error.h"
#include "report/AsOfRule.h"
#include "report/ReportStatements.h"
#include "report/SalaryScale.h"
#include "report/UnitGroups.h"

namespace zeb {

namespace {

using namespace reportstatements;

// Often enough for a progress bar to move smoothly, rarely enough to cost nothing.
constexpr int progressStep = 256;

} // namespace

QString loadInstitution(Connection& connection)
{
    const std::unique_ptr<ResultCursor> rows = connection.query(institution());
    const QString name = rows->next() ? rows->toText(0) : QString();
    while (rows->next()) {
    }
    return name;
}

namespace {

int readLineCount(Connection& connection)
{
    const std::unique_ptr<ResultCursor> rows = connection.query(lineCount());
    const int count = rows->next() ? int(rows->toInt64(0)) : 0;
    while (rows->next()) {
    }
    return count;
}

// The salary of the line's grade on the report's date and column 9; allowances are not kept, so column 9 is
// the salary times the staff units.
void payOf(ReportLine& line, const ResultCursor& row, const SalaryScale& scale, const QDate& asOf)
{
    const std::optional<qint64> grade = row.isNull(PayGrade) ? std::nullopt : row.wholeNumber(PayGrade);
    if (!grade)
        return;
    line.salary = scale.salaryOn(*grade, asOf);
    if (line.salary)
        line.monthlyTotal = line.salary->times(line.units);
}

ReportLine lineOf(const ResultCursor& row, const QDate& entered, const SalaryScale& scale, const QDate& asOf)
{
    ReportLine line;
    line.key = row.toInt64(LineKey);
    line.post = row.toText(Post);
    line.category = row.toText(Category);
    line.payGrade = row.toText(PayGrade);
    line.units = row.toDouble(Units);
    line.hourlyFund = row.value(HourlyFund);
    line.funding = row.toText(Funding);
    line.orderNumber = row.toText(OrderNumber);
    line.orderDate = entered;
    line.note = row.toText(Note);
    payOf(line, row, scale, asOf);
    return line;
}

} // namespace

ScheduleReport loadScheduleReport(Connection& connection, const QDate& asOf, const QString& unit,
                                  const std::function<bool(int, int)>& progress)
{
    ScheduleReport report;
    report.asOf = asOf;
    report.institution = loadInstitution(connection);
    report.requisites = loadFormRequisites(connection);
    const SalaryScale scale = SalaryScale::load(connection);
    const UnitCodes codes = UnitCodes::load(connection);
    const int total = progress ? readLineCount(connection) : 0;

    UnitGroups groups;
    const std::unique_ptr<ResultCursor> rows = connection.query(lines());
    int done = 0;
    for (; rows->next(); ++done) {
        if (progress && done % progressStep == 0 && !progress(done, total))
            throw Abort();
        const QDate entered = rows->value(EnteredOn).toDate();
        if (!countsOn(asOf, entered, rows->value(WithdrawnOn).toDate()))
            continue;
        const UnitKey key = lineUnit(*rows);
        const std::optional<qint64> number =
            rows->isNull(Number) ? std::nullopt : std::optional(rows->toInt64(Number));
        groups.add(
            key, [&] { return lineUnitNames(*rows, key); }, number, rows->toInt64(LineKey),
            lineOf(*rows, entered, scale, asOf));
    }
    if (progress && !progress(done, total))
        throw Abort();

    for (ReportGroup& group : groups.take(codes)) {
        if (!unit.isEmpty() && !group.unit.contains(unit, Qt::CaseInsensitive))
            continue;
        report.totalUnits += group.units;
        report.monthlyTotal += group.monthlyTotal;
        for (const ReportLine& line : group.lines)
            report.linesWithoutSalary += line.salary ? 0 : 1;
        report.lineCount += int(group.lines.size());
        report.groups.append(std::move(group));
    }
    return report;
}

} // namespace zeb
