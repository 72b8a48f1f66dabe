#include "report/change/ChangesPdf.h"

#include "report/change/ChangeTexts.h"
#include "report/sheet/SheetMedium.h"
#include "report/sheet/TablePdf.h"
#include "report/sheet/TitleBlock.h"
#include "report/vacancy/VacancyFigures.h"

namespace zeb {

namespace {

using namespace changetexts;

enum LineColumn
{
    Number,
    Post,
    Units,
    Difference,
    Order,
    WhatChanged,
    LineColumnCount,
};

enum FigureColumn
{
    Code,
    Unit,
    Start,
    Entered,
    Withdrawn,
    Changed,
    End,
    FigureColumnCount,
};

SheetColumns columnsOf(const QStringList& headings, const QList<int>& widths,
                       const QList<Qt::Alignment>& alignments)
{
    SheetColumns columns;
    for (qsizetype column = 0; column < headings.size(); ++column)
        columns.columns.append({headings.at(column), widths.at(column), alignments.at(column)});
    return columns;
}

SheetColumns lineColumns()
{
    return columnsOf(
        lineHeadings(), {5, 27, 9, 9, 14, 36},
        {Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignRight, Qt::AlignRight, Qt::AlignLeft, Qt::AlignLeft});
}

SheetColumns figureColumns()
{
    return columnsOf(figureHeadings(), {8, 42, 10, 10, 10, 10, 10},
                     {Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignRight, Qt::AlignRight, Qt::AlignRight,
                      Qt::AlignRight, Qt::AlignRight});
}

class LineRows
{
public:
    LineRows(const ChangesReport& report, const SheetRowVisitor& visit) : m_report(report), m_visit(visit) {}

    void visitAll()
    {
        if (!anyListed(m_report)) {
            m_row.begin(SheetRow::Line, LineColumnCount);
            m_row.cells[0] = noLinesText();
            m_visit(m_row);
            return;
        }
        for (const ChangesGroup& group : m_report.groups) {
            if (!group.hasLines())
                continue;
            acrossTable(SheetRow::Group, unitText(group));
            lines(enteredCaption(), group.entered);
            lines(withdrawnCaption(), group.withdrawn);
            lines(changedCaption(), group.changed);
            total(SheetRow::Total, QStringLiteral("Изменение по подразделению"), group.figures);
        }
        total(SheetRow::GrandTotal, QStringLiteral("Изменение по учреждению"), m_report.total);
    }

private:
    void acrossTable(SheetRow::Kind kind, const QString& text)
    {
        m_row.begin(kind, LineColumnCount);
        m_row.cells[0] = text;
        m_visit(m_row);
    }

    // A changed line's changes one a row, the first beside the line.
    void lines(const QString& caption, const QList<ChangedLine>& lines)
    {
        if (lines.isEmpty())
            return;
        acrossTable(SheetRow::Section, caption);
        for (const ChangedLine& line : lines) {
            m_row.begin(SheetRow::Line);
            m_row.cells[Number] = line.number ? QString::number(*line.number) : QString();
            m_row.cells[Post] = line.post;
            m_row.cells[Units] = hundredthsText(line.units);
            m_row.cells[Difference] = signedUnits(line.difference);
            m_row.cells[Order] = orderText(line);
            const QStringList changes = changesText(line).split(u'\n');
            m_row.cells[WhatChanged] = changes.first();
            m_visit(m_row);
            for (qsizetype i = 1; i < changes.size(); ++i) {
                m_row.begin(SheetRow::Line);
                m_row.cells[WhatChanged] = changes.at(i);
                m_visit(m_row);
            }
        }
    }

    void total(SheetRow::Kind kind, const QString& caption, const ChangeFigures& figures)
    {
        m_row.begin(kind, Difference);
        m_row.cells[0] = caption;
        m_row.cells[Difference] = signedUnits(figures.change());
        m_row.cells[WhatChanged] = QStringLiteral("на начало периода %1, на конец %2")
                                       .arg(hundredthsText(figures.start), hundredthsText(figures.end));
        m_visit(m_row);
    }

    const ChangesReport& m_report;
    const SheetRowVisitor& m_visit;
    SheetRow m_row{LineColumnCount};
};

void setFigures(SheetRow& row, const ChangeFigures& figures)
{
    row.cells[Start] = hundredthsText(figures.start);
    row.cells[Entered] = hundredthsText(figures.entered);
    row.cells[Withdrawn] = hundredthsText(figures.withdrawn);
    row.cells[Changed] = signedUnits(figures.changed);
    row.cells[End] = hundredthsText(figures.end);
}

void visitFigureRows(const ChangesReport& report, const SheetRowVisitor& visit)
{
    SheetRow row(FigureColumnCount);
    row.begin(SheetRow::Section, FigureColumnCount);
    row.cells[0] = QStringLiteral("Штатные единицы по подразделениям");
    visit(row);
    for (const ChangesGroup& group : report.groups) {
        row.begin(SheetRow::Line);
        row.cells[Code] = group.code;
        row.cells[Unit] = group.unit;
        setFigures(row, group.figures);
        visit(row);
    }
    row.begin(SheetRow::GrandTotal, Start);
    row.cells[0] = QStringLiteral("Всего по учреждению");
    setFigures(row, report.total);
    visit(row);
}

} // namespace

void writeChangesPdf(const ChangesReport& report, const QString& path)
{
    SheetMedium medium;
    const TitleBlock title(medium, {{TitleLine::Caption, report.institution},
                                    {TitleLine::Title, changetexts::title()},
                                    {TitleLine::Caption, periodText(report)},
                                    {TitleLine::Note, explanation(report)}});
    const TablePdf pdf{
        changetexts::title(),
        {{lineColumns(), [&](const SheetRowVisitor& visit) { LineRows(report, visit).visitAll(); }},
         {figureColumns(), [&](const SheetRowVisitor& visit) { visitFigureRows(report, visit); }}},
        &title,
        nullptr};
    writeTablePdf(medium, pdf, path);
}

} // namespace zeb
