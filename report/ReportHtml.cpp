#include "report/ReportHtml.h"

#include "data/dataset/ValueText.h"

#include <limits>

namespace zeb {

namespace {

constexpr int columnCount = 8;

// Font sizes are in points, which mean the same on paper and on screen.
constexpr QStringView style =
    u"body { font-family: 'DejaVu Sans', 'Liberation Sans', Arial, sans-serif; font-size: 8pt; }\n"
    u"h1 { font-size: 13pt; text-align: center; margin: 2pt 0; }\n"
    u"p { text-align: center; margin: 2pt 0; }\n"
    u"table { width: 100%; margin-top: 6pt; }\n"
    u"th, td { padding: 1pt 3pt; vertical-align: top; }\n"
    u"th { background-color: #e6e6e6; font-weight: bold; text-align: center; vertical-align: middle; }\n"
    u"td.number { text-align: right; white-space: nowrap; }\n"
    u"tr.unit td { background-color: #f0f0f0; font-weight: bold; }\n"
    u"tr.total td { font-weight: bold; }\n"
    u"tr.grand td { background-color: #e6e6e6; font-weight: bold; }\n";

// A browser draws the grid from the cells' own borders. QTextDocument would weigh every cell border
// against its neighbours', which takes minutes for thousands of lines; it draws the table's grid instead.
constexpr QStringView screenStyle =
    u"table { border-collapse: collapse; }\nth, td { border: 1px solid #000000; }\n";
constexpr QStringView paperStyle =
    u"table { border-style: solid; border-color: #000000; border-collapse: collapse; }\n"
    u"table.continued { page-break-before: always; }\n";

enum class Medium
{
    Screen,
    Paper,
};

struct Heading
{
    QStringView text;
    // Percent of the table's width, so that the short columns never break their headings.
    int width;
};

constexpr Heading headings[columnCount] = {
    {u"Структурное подразделение / Код", 17},
    {u"Должность", 23},
    {u"Категория", 8},
    {u"Разряд", 6},
    {u"Кол-во штатных единиц", 9},
    {u"Почасовой фонд", 9},
    {u"Источник финансирования", 12},
    {u"Приказ: № и дата", 16},
};

QString dateText(const QDate& date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

// As the grid shows them: a decimal comma and at most two decimals.
QString numberText(const QVariant& value)
{
    return valuetext::toDisplay(value, FieldType::Float, QStringLiteral("0.##"));
}

QString orderText(const ReportLine& line)
{
    QString text = line.orderNumber;
    if (line.orderDate.isValid()) {
        if (!text.isEmpty())
            text += u' ';
        text += QStringLiteral("от ") + dateText(line.orderDate);
    }
    return text;
}

void cell(QString& html, const QString& text)
{
    html += u"<td>";
    html += text.toHtmlEscaped();
    html += u"</td>";
}

void numberCell(QString& html, const QVariant& value)
{
    html += u"<td class=\"number\">";
    html += numberText(value);
    html += u"</td>";
}

void headRows(QString& html)
{
    html += u"<thead>\n<tr>";
    for (const Heading& heading : headings) {
        html += u"<th width=\"";
        html += QString::number(heading.width);
        html += u"%\">";
        html += heading.text;
        html += u"</th>";
    }
    // The forms number their columns under the headings.
    html += u"</tr>\n<tr>";
    for (int column = 1; column <= columnCount; ++column) {
        html += u"<th>";
        html += QString::number(column);
        html += u"</th>";
    }
    html += u"</tr>\n</thead>\n";
}

void totalRow(QString& html, QStringView rowClass, QStringView caption, double units)
{
    html += u"<tr class=\"";
    html += rowClass;
    html += u"\"><td colspan=\"4\">";
    html += caption;
    html += u"</td>";
    numberCell(html, units);
    html += u"<td colspan=\"3\"></td></tr>\n";
}

void groupRows(QString& html, const ReportGroup& group)
{
    html += u"<tr class=\"unit\"><td colspan=\"8\">";
    html += group.unit.toHtmlEscaped();
    html += u"</td></tr>\n";
    const QString code = group.code.toHtmlEscaped();
    for (const ReportLine& line : group.lines) {
        html += u"<tr><td>";
        html += code;
        html += u"</td>";
        cell(html, line.post);
        cell(html, line.category);
        cell(html, line.payGrade);
        numberCell(html, line.units);
        numberCell(html, line.hourlyFund);
        cell(html, line.funding);
        cell(html, orderText(line));
        html += u"</tr>\n";
    }
    totalRow(html, u"total", u"Итого по подразделению", group.units);
}

void openTable(QString& html, Medium medium, bool continued)
{
    if (medium == Medium::Screen)
        html += u"<table>\n";
    else if (continued)
        html += u"<table class=\"continued\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n";
    else
        html += u"<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n";
    headRows(html);
    html += u"<tbody>\n";
}

QString page(const ScheduleReport& report, Medium medium, int rowsPerTable)
{
    QString html;
    html.reserve(2048 + report.lineCount * 400);
    html += u"<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
            u"<title>Штатное расписание</title>\n<style>\n";
    html += style;
    html += medium == Medium::Screen ? screenStyle : paperStyle;
    html += u"</style>\n</head>\n<body>\n<p>";
    html += report.institution.toHtmlEscaped();
    html += u"</p>\n<h1>Штатное расписание</h1>\n<p>по состоянию на ";
    html += dateText(report.asOf);
    html += u"</p>\n";
    openTable(html, medium, false);
    qsizetype rows = 0;
    for (const ReportGroup& group : report.groups) {
        if (rows >= rowsPerTable) {
            html += u"</tbody>\n</table>\n";
            openTable(html, medium, true);
            rows = 0;
        }
        groupRows(html, group);
        rows += group.lines.size() + 2;
    }
    totalRow(html, u"grand", u"Всего", report.totalUnits);
    html += u"</tbody>\n</table>\n</body>\n</html>\n";
    return html;
}

} // namespace

QString reportHtml(const ScheduleReport& report)
{
    return page(report, Medium::Screen, std::numeric_limits<int>::max());
}

QString reportPaperHtml(const ScheduleReport& report, int rowsPerTable)
{
    return page(report, Medium::Paper, rowsPerTable);
}

} // namespace zeb
