#include "report/change/ChangesXlsx.h"

#include "report/ListSheet.h"
#include "report/SavedFile.h"
#include "report/change/ChangeTexts.h"

namespace zeb {

namespace {

using namespace changetexts;

// The lines' table takes the first five columns: what changed in a line goes in a row of its own under it,
// across all but the first. The figures' table takes all seven.
constexpr lxw_col_t lineColumns = 5;

void lineRows(ListSheet& sheet, const QString& caption, const QList<ChangedLine>& lines)
{
    if (lines.isEmpty())
        return;
    sheet.captionRow(caption, lineColumns);
    for (const ChangedLine& line : lines) {
        sheet.texts(0, {line.number ? QString::number(*line.number) : QString(), line.post});
        sheet.numbers(2, {line.units});
        sheet.signedNumber(3, line.difference);
        sheet.texts(4, {orderText(line)});
        sheet.nextRow();
        if (line.changes.isEmpty())
            continue;
        const QString changes = changesText(line);
        sheet.texts(0, {QString()});
        sheet.spanned(1, lineColumns - 1, changes, int(changes.count(u'\n')) + 1);
        sheet.nextRow();
    }
}

void linesPart(ListSheet& sheet, const ChangesReport& report)
{
    sheet.section(QStringLiteral("Строки по подразделениям"));
    if (!anyListed(report)) {
        sheet.line(noLinesText());
        return;
    }
    sheet.headings(lineHeadings().mid(0, lineColumns));
    for (const ChangesGroup& group : report.groups) {
        if (!group.hasLines())
            continue;
        sheet.unitRow(unitText(group), lineColumns);
        lineRows(sheet, enteredCaption(), group.entered);
        lineRows(sheet, withdrawnCaption(), group.withdrawn);
        lineRows(sheet, changedCaption(), group.changed);
        sheet.totalRow(QStringLiteral("Изменение по подразделению"), 3, {group.figures.change()}, false);
    }
    sheet.totalRow(QStringLiteral("Изменение по учреждению"), 3, {report.total.change()}, true);
}

void figuresPart(ListSheet& sheet, const ChangesReport& report)
{
    sheet.section(QStringLiteral("Штатные единицы по подразделениям"));
    sheet.headings(figureHeadings());
    for (const ChangesGroup& group : report.groups) {
        const ChangeFigures& f = group.figures;
        sheet.row({group.code, group.unit}, {f.start, f.entered, f.withdrawn, f.changed, f.end});
    }
    const ChangeFigures& all = report.total;
    sheet.totalRow(QStringLiteral("Всего по учреждению"), 2,
                   {all.start, all.entered, all.withdrawn, all.changed, all.end}, true);
}

} // namespace

void writeChangesXlsx(const ChangesReport& report, const QString& path)
{
    saveFileByName(path, [&](const QString& file) {
        ListSheet sheet(file, path, QStringLiteral("Изменения"), {8, 52, 14, 12, 22, 12, 14});
        sheet.title(report.institution, title(), periodText(report));
        sheet.note(explanation(report), 6);
        linesPart(sheet, report);
        figuresPart(sheet, report);
        sheet.close();
    });
}

} // namespace zeb
