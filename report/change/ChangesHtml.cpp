#include "report/change/ChangesHtml.h"

#include "report/ListHtml.h"
#include "report/change/ChangeTexts.h"
#include "report/vacancy/VacancyFigures.h"

namespace zeb {

namespace {

using namespace listhtml;
using namespace changetexts;

constexpr int lineColumns = 6;

void captionRow(QString& html, const QString& caption)
{
    html += u"<tr class=\"section\">";
    textCell(html, caption, lineColumns);
    html += u"</tr>\n";
}

void lineRows(QString& html, const QString& caption, const QList<ChangedLine>& lines)
{
    if (lines.isEmpty())
        return;
    captionRow(html, caption);
    for (const ChangedLine& line : lines) {
        html += u"<tr>";
        textCell(html, line.number ? QString::number(*line.number) : QString());
        textCell(html, line.post);
        numberCell(html, line.units);
        signedNumberCell(html, line.difference);
        textCell(html, orderText(line));
        textCell(html, changesText(line));
        html += u"</tr>\n";
    }
}

void totalRow(QString& html, const QString& caption, const ChangeFigures& figures, const QString& rowClass)
{
    html += QStringLiteral("<tr class=\"%1\">").arg(rowClass);
    textCell(html, caption, 3);
    signedNumberCell(html, figures.change());
    textCell(html,
             QStringLiteral("на начало периода %1, на конец %2")
                 .arg(hundredthsText(figures.start), hundredthsText(figures.end)),
             2);
    html += u"</tr>\n";
}

void linesTable(QString& html, const ChangesReport& report)
{
    html += u"<h2>Строки по подразделениям</h2>\n";
    if (!anyListed(report)) {
        html += u"<p class=\"note\">";
        html += noLinesText();
        html += u"</p>\n";
        return;
    }
    html += u"<table>\n";
    headings(html, lineHeadings());
    for (const ChangesGroup& group : report.groups) {
        if (!group.hasLines())
            continue;
        unitRow(html, unitText(group), lineColumns);
        lineRows(html, enteredCaption(), group.entered);
        lineRows(html, withdrawnCaption(), group.withdrawn);
        lineRows(html, changedCaption(), group.changed);
        totalRow(html, QStringLiteral("Изменение по подразделению"), group.figures, QStringLiteral("total"));
    }
    totalRow(html, QStringLiteral("Изменение по учреждению"), report.total, QStringLiteral("grand"));
    html += u"</tbody>\n</table>\n";
}

void figureCells(QString& html, const ChangeFigures& figures)
{
    numberCell(html, figures.start);
    numberCell(html, figures.entered);
    numberCell(html, figures.withdrawn);
    signedNumberCell(html, figures.changed);
    numberCell(html, figures.end);
}

void figuresTable(QString& html, const ChangesReport& report)
{
    html += u"<h2>Штатные единицы по подразделениям</h2>\n<table>\n";
    headings(html, figureHeadings());
    for (const ChangesGroup& group : report.groups) {
        html += u"<tr>";
        textCell(html, group.code);
        textCell(html, group.unit);
        figureCells(html, group.figures);
        html += u"</tr>\n";
    }
    html += u"<tr class=\"grand\">";
    textCell(html, QStringLiteral("Всего по учреждению"), 2);
    figureCells(html, report.total);
    html += u"</tr>\n</tbody>\n</table>\n";
}

} // namespace

QString changesHtml(const ChangesReport& report)
{
    QString html;
    html.reserve(4096 + int(report.groups.size()) * 400);
    begin(html, title(), report.institution, periodText(report));
    html += u"<p class=\"note\">";
    html += explanation(report).toHtmlEscaped();
    html += u"</p>\n";
    linesTable(html, report);
    figuresTable(html, report);
    end(html);
    return html;
}

} // namespace zeb
