#include "report/ReportHtml.h"

#include "data/dataset/ValueText.h"
#include "report/FormColumns.h"
#include "report/FormTexts.h"

#include <limits>

namespace zeb {

namespace {

using namespace formcolumns;

// Font sizes are in points, which mean the same on paper and on screen.
constexpr QStringView style =
    u"body { font-family: 'DejaVu Sans', 'Liberation Sans', Arial, sans-serif; font-size: 8pt; }\n"
    u"p { margin: 2pt 0; }\n"
    u"table.head td { padding: 1pt 3pt; vertical-align: bottom; }\n"
    u"td.box { border: 1px solid #000000; text-align: center; }\n"
    u"td.label { text-align: right; }\n"
    u"td.institution { font-weight: bold; font-size: 10pt; text-align: center; "
    u"border-bottom: 1px solid #000000; }\n"
    u"td.caption { font-size: 6pt; text-align: center; vertical-align: top; }\n"
    u"td.title { font-weight: bold; font-size: 13pt; text-align: right; }\n"
    u"p.period { text-align: center; }\n"
    u"table.form { width: 100%; margin-top: 6pt; }\n"
    u"table.form th, table.form td { padding: 1pt 3pt; vertical-align: top; }\n"
    u"table.form th { background-color: #e6e6e6; font-weight: bold; text-align: center; "
    u"vertical-align: middle; }\n"
    u"td.number { text-align: right; white-space: nowrap; }\n"
    u"tr.unit td { background-color: #f0f0f0; font-weight: bold; }\n"
    u"tr.total td { font-weight: bold; }\n"
    u"tr.grand td { background-color: #e6e6e6; font-weight: bold; }\n"
    u"p.note { font-style: italic; }\n"
    u"table.signatures { margin-top: 12pt; }\n"
    u"table.signatures td { padding: 1pt 6pt; vertical-align: bottom; }\n"
    u"td.line { border-bottom: 1px solid #000000; text-align: center; min-width: 120pt; }\n";

// A browser draws the grid from the cells' own borders. QTextDocument would weigh every cell border
// against its neighbours', which takes minutes for thousands of lines; it draws the table's grid instead.
constexpr QStringView screenStyle = u"table.form { border-collapse: collapse; }\n"
                                    u"table.form th, table.form td { border: 1px solid #000000; }\n";
constexpr QStringView paperStyle =
    u"table.form { border-style: solid; border-color: #000000; border-collapse: collapse; }\n"
    u"table.continued { page-break-before: always; }\n";

enum class Medium
{
    Screen,
    Paper,
};

void escaped(QString& html, const QString& text)
{
    html += text.toHtmlEscaped();
}

void cell(QString& html, const QString& text)
{
    html += u"<td>";
    escaped(html, text);
    html += u"</td>";
}

void numberCell(QString& html, const QString& number)
{
    html += u"<td class=\"number\">";
    html += number;
    html += u"</td>";
}

void moneyCell(QString& html, const std::optional<Money>& money)
{
    numberCell(html, money ? money->toText() : QString());
}

void emptyCells(QString& html, int count)
{
    html += u"<td colspan=\"";
    html += QString::number(count);
    html += u"\"></td>";
}

// The organisation with its codes, the title with the document's number and date, the approval.
void header(QString& html, const ScheduleReport& report)
{
    const FormDetails& details = report.details;
    html += u"<table class=\"head\" width=\"100%\" cellspacing=\"0\">\n"
            u"<tr><td width=\"70%\"></td><td></td><td class=\"box\">Код</td></tr>\n"
            u"<tr><td></td><td class=\"label\">Форма по ОКУД</td><td class=\"box\"><b>0301017</b></td></tr>\n"
            u"<tr><td class=\"institution\">";
    escaped(html, report.institution);
    html += u"</td><td class=\"label\">по ОКПО</td><td class=\"box\"><b>";
    escaped(html, report.requisites.okpo);
    html +=
        u"</b></td></tr>\n<tr><td class=\"caption\">(наименование организации)</td><td></td><td></td></tr>\n"
        u"</table>\n<table class=\"head\" width=\"100%\" cellspacing=\"0\">\n"
        u"<tr><td width=\"30%\"></td><td class=\"box\">Номер документа</td>"
        u"<td class=\"box\">Дата составления</td><td width=\"35%\"><b>УТВЕРЖДЕНО</b></td></tr>\n"
        u"<tr><td class=\"title\">ШТАТНОЕ РАСПИСАНИЕ</td><td class=\"box\"><b>";
    escaped(html, details.documentNumber);
    html += u"</b></td><td class=\"box\"><b>";
    html += formtexts::dateText(details.compiledOn);
    html += u"</b></td><td>";
    escaped(html, formtexts::approvalText(details));
    html += u"</td></tr>\n<tr><td></td><td></td><td></td><td>Штат в количестве <b>";
    html += formtexts::unitsText(report.totalUnits);
    html += u"</b> единиц</td></tr>\n</table>\n<p class=\"period\">";
    escaped(html, formtexts::periodText(report));
    html += u"</p>\n";
}

// The headings in two rows, columns 6 to 8 under one, and their numbers below.
void headRows(QString& html)
{
    html += u"<thead>\n<tr>";
    for (int column = 0; column < Count; ++column) {
        if (column == Allowance2 || column == Allowance3)
            continue;
        if (column == Allowance1) {
            html += u"<th colspan=\"3\">";
            html += allowancesHeading;
            html += u"</th>";
            continue;
        }
        html += u"<th rowspan=\"2\" width=\"";
        html += QString::number(headings.at(column).width);
        html += u"%\">";
        html += headings.at(column).text;
        html += u"</th>";
    }
    html += u"</tr>\n<tr>";
    for (const Column column : {Allowance1, Allowance2, Allowance3}) {
        html += u"<th width=\"";
        html += QString::number(headings.at(column).width);
        html += u"%\">";
        html += headings.at(column).text;
        html += u"</th>";
    }
    html += u"</tr>\n<tr>";
    for (int column = 1; column <= Count; ++column) {
        html += u"<th>";
        html += QString::number(column);
        html += u"</th>";
    }
    html += u"</tr>\n</thead>\n";
}

void totalRow(QString& html, QStringView rowClass, QStringView caption, double units, Money money)
{
    html += u"<tr class=\"";
    html += rowClass;
    html += u"\"><td colspan=\"3\">";
    html += caption;
    html += u"</td>";
    numberCell(html, formtexts::unitsText(units));
    emptyCells(html, 4);
    numberCell(html, money.toText());
    emptyCells(html, 4);
    html += u"</tr>\n";
}

void lineRow(QString& html, const ReportLine& line, const QString& code)
{
    html += u"<tr><td></td><td>";
    html += code;
    html += u"</td>";
    cell(html, formtexts::postText(line));
    numberCell(html, formtexts::unitsText(line.units));
    moneyCell(html, line.salary);
    html += u"<td></td><td></td><td></td>";
    moneyCell(html, line.monthlyTotal);
    cell(html, line.note);
    numberCell(html, valuetext::toDisplay(line.hourlyFund, FieldType::Float, QStringLiteral("0.##")));
    cell(html, line.funding);
    cell(html, formtexts::entryOrderText(line));
    html += u"</tr>\n";
}

void groupRows(QString& html, const ReportGroup& group)
{
    const QString code = group.code.toHtmlEscaped();
    html += u"<tr class=\"unit\">";
    cell(html, group.unit);
    html += u"<td>";
    html += code;
    html += u"</td>";
    emptyCells(html, Count - 2);
    html += u"</tr>\n";
    for (const ReportLine& line : group.lines)
        lineRow(html, line, code);
    totalRow(html, u"total", u"Итого по подразделению", group.units, group.monthlyTotal);
}

void openTable(QString& html, Medium medium, bool continued)
{
    if (medium == Medium::Screen)
        html += u"<table class=\"form\">\n";
    else if (continued)
        html += u"<table class=\"form continued\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n";
    else
        html += u"<table class=\"form\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n";
    headRows(html);
    html += u"<tbody>\n";
}

// A signature line under the role, with the signer's position where the form asks for one.
void signature(QString& html, QStringView role, bool withPosition, const QString& position,
               const QString& name)
{
    html += u"<tr><td><b>";
    html += role;
    html += withPosition ? u"</b></td><td class=\"line\">" : u"</b></td><td>";
    escaped(html, position);
    html += u"</td><td class=\"line\"></td><td class=\"line\">";
    escaped(html, name);
    html += u"</td></tr>\n<tr><td></td><td class=\"caption\">";
    if (withPosition)
        html += u"(должность)";
    html += u"</td><td class=\"caption\">(личная подпись)</td>"
            u"<td class=\"caption\">(расшифровка подписи)</td></tr>\n";
}

void signatures(QString& html, const FormRequisites& requisites)
{
    html += u"<table class=\"signatures\" cellspacing=\"0\">\n";
    signature(html, u"Руководитель кадровой службы", true, requisites.hrHeadPosition, requisites.hrHeadName);
    signature(html, u"Главный бухгалтер", false, QString(), requisites.chiefAccountantName);
    html += u"</table>\n";
}

QString page(const ScheduleReport& report, Medium medium, int rowsPerTable)
{
    QString html;
    html.reserve(8192 + report.lineCount * 520);
    html += u"<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
            u"<title>Штатное расписание</title>\n<style>\n";
    html += style;
    html += medium == Medium::Screen ? screenStyle : paperStyle;
    html += u"</style>\n</head>\n<body>\n";
    header(html, report);
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
    totalRow(html, u"grand", u"Всего", report.totalUnits, report.monthlyTotal);
    html += u"</tbody>\n</table>\n";
    const QString missing = formtexts::missingSalaryText(report.linesWithoutSalary);
    if (!missing.isEmpty()) {
        html += u"<p class=\"note\">";
        html += missing;
        html += u"</p>\n";
    }
    signatures(html, report.requisites);
    html += u"</body>\n</html>\n";
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
