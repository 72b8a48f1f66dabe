#include "report/sheet/FormRows.h"

#include "report/FormColumns.h"
#include "report/FormTexts.h"

#include <numeric>

namespace zeb {

namespace {

using namespace formcolumns;
using namespace formtexts;

// Percent of the sheet's width: the entry order's "№ … от dd.MM.yyyy" and the headings' longest words fit
// on one line in the form's font.
constexpr std::array<int, Count> widths = {12, 4, 16, 6, 8, 4, 4, 4, 9, 10, 5, 8, 10};
static_assert(std::accumulate(widths.begin(), widths.end(), 0) == 100);

bool isNumber(int column)
{
    return column == Units || (column >= Salary && column <= MonthlyTotal) || column == HourlyFund;
}

Qt::Alignment alignmentOf(int column)
{
    if (isNumber(column))
        return Qt::AlignRight;
    return column == UnitCode ? Qt::AlignHCenter : Qt::AlignLeft;
}

QString moneyText(const std::optional<Money>& money)
{
    return money ? money->toText() : QString();
}

void fillLine(SheetRow& row, const ReportGroup& group, const ReportLine& line)
{
    row.kind = SheetRow::Line;
    row.span = 1;
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
    row.begin(kind, Post + 1);
    row.cells[Unit] = caption;
    row.cells[Units] = unitsText(units);
    row.cells[MonthlyTotal] = total.toText();
}

} // namespace

SheetColumns formSheetColumns()
{
    SheetColumns columns;
    for (int column = 0; column < Count; ++column) {
        // "гр. 4" stays on one line.
        const QString heading = headings[size_t(column)].text.toString().replace(QStringLiteral("гр. "),
                                                                                 QStringLiteral("гр.\u00A0"));
        columns.columns.append({heading, widths[size_t(column)], alignmentOf(column)});
    }
    columns.groups.append({Allowance1, Allowance3, allowancesHeading.toString()});
    columns.numbered = true;
    return columns;
}

void forEachFormRow(const ScheduleReport& report, const SheetRowVisitor& visit)
{
    SheetRow row(Count);
    for (const ReportGroup& group : report.groups) {
        row.begin(SheetRow::Group);
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
