#include "report/vacancy/VacancyHtml.h"

#include "report/ListHtml.h"

namespace zeb {

namespace {

using namespace listhtml;

void lineCells(QString& html, const VacancyLine& line)
{
    textCell(html, line.post);
    textCell(html, line.category);
    textCell(html, line.funding);
    numberCell(html, line.units);
    numberCell(html, line.occupied);
}

void vacancyTable(QString& html, const VacancyReport& report)
{
    html += u"<table>\n";
    headings(html, {u"Код", u"Должность", u"Категория", u"Источник финансирования", u"Штатных единиц",
                    u"Занято", u"Вакантно"});
    for (const VacancyGroup& group : report.groups) {
        if (group.vacantLines.isEmpty())
            continue;
        unitRow(html, group.unit, 7);
        for (const VacancyLine& line : group.vacantLines) {
            html += u"<tr>";
            textCell(html, group.code);
            lineCells(html, line);
            numberCell(html, line.vacant());
            html += u"</tr>\n";
        }
        html += u"<tr class=\"total\">";
        textCell(html, QStringLiteral("Итого по подразделению"), 4);
        numberCell(html, group.figures.units);
        numberCell(html, group.figures.occupied);
        numberCell(html, group.figures.vacant);
        html += u"</tr>\n";
    }
    html += u"<tr class=\"grand\">";
    textCell(html, QStringLiteral("Всего по учреждению"), 4);
    numberCell(html, report.total.units);
    numberCell(html, report.total.occupied);
    numberCell(html, report.total.vacant);
    html += u"</tr>\n</tbody>\n</table>\n";
}

void overTable(QString& html, const VacancyReport& report)
{
    html += u"<h2>Сверх штата</h2>\n";
    if (report.total.over == 0) {
        html += u"<p class=\"note\">Строк, занятых сверх штатных единиц, нет.</p>\n";
        return;
    }
    html += u"<table>\n";
    headings(html, {u"Код", u"Должность", u"Категория", u"Источник финансирования", u"Штатных единиц",
                    u"Занято", u"Сверх штата"});
    for (const VacancyGroup& group : report.groups) {
        if (!group.overLines.isEmpty())
            unitRow(html, group.unit, 7);
        for (const VacancyLine& line : group.overLines) {
            html += u"<tr>";
            textCell(html, group.code);
            lineCells(html, line);
            numberCell(html, -line.vacant());
            html += u"</tr>\n";
        }
    }
    html += u"<tr class=\"grand\">";
    textCell(html, QStringLiteral("Всего сверх штата"), 6);
    numberCell(html, report.total.over);
    html += u"</tr>\n</tbody>\n</table>\n";
}

void figureCells(QString& html, const VacancyFigures& figures)
{
    numberCell(html, figures.units);
    numberCell(html, figures.occupied);
    numberCell(html, figures.vacant);
    numberCell(html, figures.over);
}

void totalsTable(QString& html, QStringView title, QStringView column, const QList<VacancyTotal>& totals,
                 const VacancyFigures& grand)
{
    html += u"<h2>";
    html += title;
    html += u"</h2>\n<table>\n";
    headings(html, {column, u"Штатных единиц", u"Занято", u"Вакантно", u"Сверх штата"});
    for (const VacancyTotal& total : totals) {
        html += u"<tr>";
        textCell(html, total.name.isEmpty() ? QStringLiteral("(не указан)") : total.name);
        figureCells(html, total.figures);
        html += u"</tr>\n";
    }
    html += u"<tr class=\"grand\">";
    textCell(html, QStringLiteral("Всего по учреждению"));
    figureCells(html, grand);
    html += u"</tr>\n</tbody>\n</table>\n";
}

} // namespace

QString vacancyHtml(const VacancyReport& report)
{
    QString html;
    html.reserve(4096 + report.lineCount * 40);
    begin(html, QStringLiteral("Вакансии"), report.institution,
          QStringLiteral("по состоянию на ") + report.asOf.toString(QStringLiteral("dd.MM.yyyy")));
    html += u"<p class=\"note\">";
    html += vacancyFiguresNote().toHtmlEscaped();
    html += u"</p>\n";
    vacancyTable(html, report);
    overTable(html, report);
    totalsTable(html, u"Итого по категориям персонала", u"Категория", report.byCategory, report.total);
    totalsTable(html, u"Итого по источникам финансирования", u"Источник финансирования", report.byFunding,
                report.total);
    end(html);
    return html;
}

} // namespace zeb
