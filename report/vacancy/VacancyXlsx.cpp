#include "report/vacancy/VacancyXlsx.h"

#include "report/ListSheet.h"
#include "report/SavedFile.h"

namespace zeb {

namespace {

QStringList lineHeadings(const QString& last)
{
    return {QStringLiteral("Код"),
            QStringLiteral("Должность"),
            QStringLiteral("Категория"),
            QStringLiteral("Источник финансирования"),
            QStringLiteral("Штатных единиц"),
            QStringLiteral("Занято"),
            last};
}

void lineRow(ListSheet& sheet, const QString& code, const VacancyLine& line, qint64 last)
{
    sheet.row({code, line.post, line.category, line.funding}, {line.units, line.occupied, last});
}

void totals(ListSheet& sheet, const QString& title, const QString& column, const QList<VacancyTotal>& list,
            const VacancyFigures& grand)
{
    sheet.section(title);
    sheet.headings({column, QStringLiteral("Штатных единиц"), QStringLiteral("Занято"),
                    QStringLiteral("Вакантно"), QStringLiteral("Сверх штата")});
    for (const VacancyTotal& total : list) {
        const VacancyFigures& f = total.figures;
        sheet.row({total.name.isEmpty() ? QStringLiteral("(не указан)") : total.name},
                  {f.units, f.occupied, f.vacant, f.over});
    }
    sheet.totalRow(QStringLiteral("Всего по учреждению"), 1,
                   {grand.units, grand.occupied, grand.vacant, grand.over}, true);
}

void fill(ListSheet& sheet, const VacancyReport& report)
{
    sheet.title(report.institution, QStringLiteral("Вакансии"),
                QStringLiteral("по состоянию на ") + report.asOf.toString(QStringLiteral("dd.MM.yyyy")));
    sheet.headings(lineHeadings(QStringLiteral("Вакантно")));
    for (const VacancyGroup& group : report.groups) {
        if (group.vacantLines.isEmpty())
            continue;
        sheet.unitRow(group.unit);
        for (const VacancyLine& line : group.vacantLines)
            lineRow(sheet, group.code, line, line.vacant());
        const VacancyFigures& f = group.figures;
        sheet.totalRow(QStringLiteral("Итого по подразделению"), 4, {f.units, f.occupied, f.vacant}, false);
    }
    const VacancyFigures& all = report.total;
    sheet.totalRow(QStringLiteral("Всего по учреждению"), 4, {all.units, all.occupied, all.vacant}, true);

    sheet.section(QStringLiteral("Сверх штата"));
    sheet.headings(lineHeadings(QStringLiteral("Сверх штата")));
    for (const VacancyGroup& group : report.groups) {
        if (!group.overLines.isEmpty())
            sheet.unitRow(group.unit);
        for (const VacancyLine& line : group.overLines)
            lineRow(sheet, group.code, line, -line.vacant());
    }
    sheet.totalRow(QStringLiteral("Всего сверх штата"), 6, {all.over}, true);

    totals(sheet, QStringLiteral("Итого по категориям персонала"), QStringLiteral("Категория"),
           report.byCategory, all);
    totals(sheet, QStringLiteral("Итого по источникам финансирования"),
           QStringLiteral("Источник финансирования"), report.byFunding, all);
}

} // namespace

void writeVacancyXlsx(const VacancyReport& report, const QString& path)
{
    saveFileByName(path, [&](const QString& file) {
        ListSheet sheet(file, path, QStringLiteral("Вакансии"), {8, 40, 12, 20, 12, 12, 12});
        fill(sheet, report);
        sheet.close();
    });
}

} // namespace zeb
