#include "report/sheet/FormRows.h"

#include "report/FormTexts.h"

namespace zeb {

namespace {

using namespace formcolumns;
using namespace formtexts;

QString moneyText(const std::optional<Money>& money)
{
    return money ? money->toText() : QString();
}

void fillLine(SheetRow& row, const ReportGroup& group, const ReportLine& line)
{
    row.kind = SheetRow::Line;
    row.cells[Unit].clear();
    row.cells[UnitCode] = group.code;
    row.cells[Post] = postText(line);
    row.cells[Units] = unitsText(line.units);
    row.cells[Salary] = moneyText(line.salary);
    row.cells[MonthlyTotal] = moneyText(line.monthlyTotal);
    row.cells[Note] = line.note.simplified();
    row.cells[HourlyFund] = hourlyFundText(line.hourlyFund);
    row.cells[Funding] = line.funding;
    row.cells[EntryOrder] = entryOrderText(line);
}

void fillTotal(SheetRow& row, SheetRow::Kind kind, const QString& caption, double units, Money total)
{
    row = SheetRow();
    row.kind = kind;
    row.cells[Unit] = caption;
    row.cells[Units] = unitsText(units);
    row.cells[MonthlyTotal] = total.toText();
}

} // namespace

void forEachFormRow(const ScheduleReport& report, const std::function<void(const SheetRow&)>& visit)
{
    SheetRow row;
    for (const ReportGroup& group : report.groups) {
        row = SheetRow();
        row.kind = SheetRow::Unit;
        row.cells[Unit] = group.unit;
        visit(row);
        // Allowances are not kept: columns 6 to 8 stay empty on every line.
        for (const ReportLine& line : group.lines) {
            fillLine(row, group, line);
            visit(row);
        }
        fillTotal(row, SheetRow::Total, QStringLiteral("Итого по подразделению"), group.units,
                  group.monthlyTotal);
        visit(row);
    }
    fillTotal(row, SheetRow::GrandTotal, QStringLiteral("Всего"), report.totalUnits, report.monthlyTotal);
    visit(row);
}

} // namespace zeb
