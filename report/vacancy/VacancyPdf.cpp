#include "report/vacancy/VacancyPdf.h"

#include "report/sheet/SheetMedium.h"
#include "report/sheet/TablePdf.h"
#include "report/sheet/TitleBlock.h"

namespace zeb {

namespace {

enum Column
{
    Code,
    Post,
    Category,
    Funding,
    Units,
    Occupied,
    Vacant,
    Over,
    Count,
};

// The captions of the totals span the line's texts.
constexpr int captionSpan = Funding + 1;

SheetColumns vacancyColumns()
{
    SheetColumns columns;
    const auto text = [&](const char16_t* heading, int width, Qt::Alignment alignment = Qt::AlignLeft) {
        columns.columns.append({QString::fromUtf16(heading), width, alignment});
    };
    text(u"Код", 7, Qt::AlignHCenter);
    text(u"Должность", 33);
    text(u"Категория", 9);
    text(u"Источник финансирования", 15);
    for (const char16_t* heading : {u"Штатных единиц", u"Занято", u"Вакантно", u"Сверх штата"})
        text(heading, 9, Qt::AlignRight);
    return columns;
}

void setFigure(SheetRow& row, int column, qint64 hundredths)
{
    row.cells[column] = hundredthsText(hundredths);
}

void fillLine(SheetRow& row, const QString& code, const VacancyLine& line)
{
    row.begin(SheetRow::Line);
    row.cells[Code] = code;
    row.cells[Post] = line.post;
    row.cells[Category] = line.category;
    row.cells[Funding] = line.funding;
    setFigure(row, Units, line.units);
    setFigure(row, Occupied, line.occupied);
}

void fillFigures(SheetRow& row, const VacancyFigures& figures, bool withOver)
{
    setFigure(row, Units, figures.units);
    setFigure(row, Occupied, figures.occupied);
    setFigure(row, Vacant, figures.vacant);
    if (withOver)
        setFigure(row, Over, figures.over);
}

class VacancyRows
{
public:
    VacancyRows(const VacancyReport& report, const SheetRowVisitor& visit) : m_report(report), m_visit(visit)
    {
    }

    void visitAll()
    {
        vacant();
        over();
        totals(QStringLiteral("Итого по категориям персонала"), m_report.byCategory);
        totals(QStringLiteral("Итого по источникам финансирования"), m_report.byFunding);
    }

private:
    void acrossTable(SheetRow::Kind kind, const QString& text)
    {
        m_row.begin(kind, Count);
        m_row.cells[0] = text;
        m_visit(m_row);
    }

    void vacant()
    {
        for (const VacancyGroup& group : m_report.groups) {
            if (group.vacantLines.isEmpty())
                continue;
            acrossTable(SheetRow::Group, group.unit);
            for (const VacancyLine& line : group.vacantLines) {
                fillLine(m_row, group.code, line);
                setFigure(m_row, Vacant, line.vacant());
                m_visit(m_row);
            }
            m_row.begin(SheetRow::Total, captionSpan);
            m_row.cells[0] = QStringLiteral("Итого по подразделению");
            fillFigures(m_row, group.figures, false);
            m_visit(m_row);
        }
        m_row.begin(SheetRow::GrandTotal, captionSpan);
        m_row.cells[0] = QStringLiteral("Всего по учреждению");
        fillFigures(m_row, m_report.total, false);
        m_visit(m_row);
    }

    void over()
    {
        acrossTable(SheetRow::Section, QStringLiteral("Сверх штата"));
        if (m_report.total.over == 0) {
            acrossTable(SheetRow::Line, QStringLiteral("Строк, занятых сверх штатных единиц, нет."));
            return;
        }
        for (const VacancyGroup& group : m_report.groups) {
            if (!group.overLines.isEmpty())
                acrossTable(SheetRow::Group, group.unit);
            for (const VacancyLine& line : group.overLines) {
                fillLine(m_row, group.code, line);
                setFigure(m_row, Over, -line.vacant());
                m_visit(m_row);
            }
        }
        m_row.begin(SheetRow::GrandTotal, Over);
        m_row.cells[0] = QStringLiteral("Всего сверх штата");
        setFigure(m_row, Over, m_report.total.over);
        m_visit(m_row);
    }

    void totals(const QString& title, const QList<VacancyTotal>& totals)
    {
        acrossTable(SheetRow::Section, title);
        for (const VacancyTotal& total : totals) {
            m_row.begin(SheetRow::Line, captionSpan);
            m_row.cells[0] = total.name.isEmpty() ? QStringLiteral("(не указан)") : total.name;
            fillFigures(m_row, total.figures, true);
            m_visit(m_row);
        }
        m_row.begin(SheetRow::GrandTotal, captionSpan);
        m_row.cells[0] = QStringLiteral("Всего по учреждению");
        fillFigures(m_row, m_report.total, true);
        m_visit(m_row);
    }

    const VacancyReport& m_report;
    const SheetRowVisitor& m_visit;
    SheetRow m_row{Count};
};

} // namespace

void writeVacancyPdf(const VacancyReport& report, const QString& path)
{
    SheetMedium medium;
    const TitleBlock title(medium,
                           {{TitleLine::Caption, report.institution},
                            {TitleLine::Title, QStringLiteral("Вакансии")},
                            {TitleLine::Caption, QStringLiteral("по состоянию на ") +
                                                     report.asOf.toString(QStringLiteral("dd.MM.yyyy"))},
                            {TitleLine::Note, vacancyFiguresNote()}});
    const TablePdf pdf{
        QStringLiteral("Вакансии"),
        {{vacancyColumns(), [&](const SheetRowVisitor& visit) { VacancyRows(report, visit).visitAll(); }}},
        &title,
        nullptr};
    writeTablePdf(medium, pdf, path);
}

} // namespace zeb
