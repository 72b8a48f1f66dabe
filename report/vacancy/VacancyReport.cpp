#include "report/vacancy/VacancyReport.h"

#include "report/ScheduleReport.h"
#include "report/vacancy/LineOccupancy.h"

#include <map>

namespace zeb {

namespace {

using Totals = std::map<QString, VacancyFigures>;

QList<VacancyTotal> listed(const Totals& totals)
{
    QList<VacancyTotal> list;
    for (const auto& [name, figures] : totals)
        list.append(VacancyTotal{name, figures});
    return list;
}

} // namespace

VacancyReport loadVacancyReport(Connection& connection, const QDate& asOf)
{
    const ScheduleReport schedule = loadScheduleReport(connection, asOf);
    const LineOccupancy occupancy = LineOccupancy::load(connection, asOf);

    VacancyReport report;
    report.institution = schedule.institution;
    report.asOf = asOf;
    report.lineCount = schedule.lineCount;
    Totals byCategory;
    Totals byFunding;
    for (const ReportGroup& scheduleGroup : schedule.groups) {
        VacancyGroup group{scheduleGroup.unit, scheduleGroup.code, {}, {}, {}};
        for (const ReportLine& scheduleLine : scheduleGroup.lines) {
            const VacancyLine line{scheduleLine.post, scheduleLine.category, scheduleLine.funding,
                                   unitHundredths(scheduleLine.units),
                                   occupancy.occupiedHundredths(scheduleLine.key)};
            group.figures.addLine(line.units, line.occupied);
            byCategory[line.category].addLine(line.units, line.occupied);
            byFunding[line.funding].addLine(line.units, line.occupied);
            if (line.vacant() > 0)
                group.vacantLines.append(line);
            else if (line.vacant() < 0)
                group.overLines.append(line);
        }
        report.total += group.figures;
        if (!group.vacantLines.isEmpty() || !group.overLines.isEmpty())
            report.groups.append(std::move(group));
    }
    report.byCategory = listed(byCategory);
    report.byFunding = listed(byFunding);
    return report;
}

} // namespace zeb
