#include "tests/report/SampleReport.h"

#include <algorithm>

using namespace zeb;

namespace {

ReportLine lineOf(const char* post, const char* grade, const char* category, double units,
                  std::optional<Money> salary)
{
    ReportLine line;
    line.post = QString::fromUtf8(post);
    line.payGrade = QString::fromUtf8(grade);
    line.category = QString::fromUtf8(category);
    line.units = units;
    line.salary = salary;
    if (salary)
        line.monthlyTotal = salary->times(units);
    line.funding = QStringLiteral("Бюджет");
    return line;
}

void addGroup(ScheduleReport& report, ReportGroup group)
{
    for (const ReportLine& line : group.lines) {
        group.units += line.units;
        if (line.monthlyTotal)
            group.monthlyTotal += *line.monthlyTotal;
        else
            ++report.linesWithoutSalary;
    }
    report.totalUnits += group.units;
    report.monthlyTotal += group.monthlyTotal;
    report.lineCount += int(group.lines.size());
    report.groups.append(group);
}

} // namespace

ScheduleReport sampleReport()
{
    ScheduleReport report;
    report.institution = QStringLiteral("Северный государственный университет");
    report.asOf = QDate(2024, 3, 15);
    report.requisites = {QStringLiteral("02068574"), QStringLiteral("Начальник управления кадров"),
                         QStringLiteral("И. П. Смирнова"), QStringLiteral("О. В. Лебедева")};
    report.details = {QStringLiteral("17-шр"), QDate(2024, 3, 14), QDate(2024, 4, 1),
                      QDate(2024, 12, 31),     QDate(2024, 3, 20), QStringLiteral("112-к")};

    ReportGroup accounts{QStringLiteral("Бухгалтерия"), QStringLiteral("01"), {}, 0, {}};
    ReportLine chief = lineOf("Главный бухгалтер", "14", "АУП", 1, Money::fromKopecks(4500000));
    chief.orderNumber = QStringLiteral("2-к");
    chief.orderDate = QDate(2020, 1, 10);
    accounts.lines.append(chief);
    ReportLine accountant = lineOf("Бухгалтер", "9", "АУП", 0.75, Money::fromKopecks(1234567));
    accountant.hourlyFund = 250.5;
    accountant.note = QStringLiteral("=1+2");
    accountant.orderNumber = QStringLiteral("8-к");
    accountant.orderDate = QDate(2021, 2, 1);
    accounts.lines.append(accountant);
    addGroup(report, accounts);

    ReportGroup physics{QStringLiteral("Физико-математический факультет / Кафедра физики"),
                        QStringLiteral("12.4"),
                        {},
                        0,
                        {}};
    ReportLine professor = lineOf("Профессор", "17", "ППС", 1.5, std::nullopt);
    professor.note = QStringLiteral("Совместитель <внешний> & почасовик");
    physics.lines.append(professor);
    physics.lines.append(lineOf("Доцент", "16", "ППС", 0.25, Money::fromKopecks(3000000)));
    addGroup(report, physics);
    return report;
}

ScheduleReport generatedReport(int lines, int linesPerUnit)
{
    ScheduleReport report;
    report.institution = QStringLiteral("Северный государственный университет");
    report.asOf = QDate(2024, 3, 15);
    for (int unit = 1; report.lineCount < lines; ++unit) {
        ReportGroup group{QStringLiteral("Отдел %1").arg(unit), QString::number(unit), {}, 0, {}};
        const int count = std::min(linesPerUnit, lines - report.lineCount);
        group.lines.reserve(count);
        for (int number = 1; number <= count; ++number) {
            ReportLine line = lineOf("Инженер-программист", "10", "УВП", number % 4 ? 1 : 0.5,
                                     Money::fromKopecks(2345600 + number));
            line.orderNumber = QStringLiteral("%1-к").arg(number);
            line.orderDate = QDate(2020, 1, 9);
            group.lines.append(line);
        }
        addGroup(report, group);
    }
    return report;
}
