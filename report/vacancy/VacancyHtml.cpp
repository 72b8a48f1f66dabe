#include "report/vacancy/VacancyHtml.h"

namespace zeb {

namespace {

constexpr QStringView style =
    u"body { font-family: 'DejaVu Sans', 'Liberation Sans', Arial, sans-serif; font-size: 8pt; }\n"
    u"h1 { font-size: 13pt; text-align: center; margin: 2pt 0; }\n"
    u"h2 { font-size: 10pt; margin: 10pt 0 2pt 0; }\n"
    u"p { text-align: center; margin: 2pt 0; }\n"
    u"p.note { text-align: left; font-style: italic; }\n"
    u"table { width: 100%; margin-top: 6pt; border-collapse: collapse; }\n"
    u"th, td { border: 1px solid #000000; padding: 1pt 3pt; vertical-align: top; }\n"
    u"th { background-color: #e6e6e6; font-weight: bold; text-align: center; vertical-align: middle; }\n"
    u"td.number { text-align: right; white-space: nowrap; }\n"
    u"tr.unit td { background-color: #f0f0f0; font-weight: bold; }\n"
    u"tr.total td { font-weight: bold; }\n"
    u"tr.grand td { background-color: #e6e6e6; font-weight: bold; }\n";

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

void headings(QString& html, std::initializer_list<QStringView> titles)
{
    html += u"<thead>\n<tr>";
    for (QStringView title : titles) {
        html += u"<th>";
        html += title;
        html += u"</th>";
    }
    html += u"</tr>\n</thead>\n<tbody>\n";
}

void textCell(QString& html, const QString& text, int span = 1)
{
    html += span > 1 ? QStringLiteral("<td colspan=\"%1\">").arg(span) : QStringLiteral("<td>");
    html += escaped(text);
    html += u"</td>";
}

void numberCell(QString& html, qint64 hundredths)
{
    html += u"<td class=\"number\">";
    html += hundredthsText(hundredths);
    html += u"</td>";
}

void lineCells(QString& html, const VacancyLine& line)
{
    textCell(html, line.post);
    textCell(html, line.category);
    textCell(html, line.funding);
    numberCell(html, line.units);
    numberCell(html, line.occupied);
}

void unitRow(QString& html, const QString& unit)
{
    html += u"<tr class=\"unit\">";
    textCell(html, unit, 7);
    html += u"</tr>\n";
}

void vacancyTable(QString& html, const VacancyReport& report)
{
    html += u"<table>\n";
    headings(html, {u"Код", u"Должность", u"Категория", u"Источник финансирования", u"Штатных единиц",
                    u"Занято", u"Вакантно"});
    for (const VacancyGroup& group : report.groups) {
        if (group.vacantLines.isEmpty())
            continue;
        unitRow(html, group.unit);
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
            unitRow(html, group.unit);
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
    html += u"<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
            u"<title>Вакансии</title>\n<style>\n";
    html += style;
    html += u"</style>\n</head>\n<body>\n<p>";
    html += escaped(report.institution);
    html += u"</p>\n<h1>Вакансии</h1>\n<p>по состоянию на ";
    html += report.asOf.toString(QStringLiteral("dd.MM.yyyy"));
    html += u"</p>\n<p class=\"note\">";
    html += escaped(vacancyFiguresNote());
    html += u"</p>\n";
    vacancyTable(html, report);
    overTable(html, report);
    totalsTable(html, u"Итого по категориям персонала", u"Категория", report.byCategory, report.total);
    totalsTable(html, u"Итого по источникам финансирования", u"Источник финансирования", report.byFunding,
                report.total);
    html += u"</body>\n</html>\n";
    return html;
}

} // namespace zeb
