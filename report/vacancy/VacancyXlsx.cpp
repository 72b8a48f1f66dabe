#include "report/vacancy/VacancyXlsx.h"

#include "report/SavedFile.h"
#include "report/XlsxSheet.h"

namespace zeb {

namespace {

constexpr lxw_col_t columnCount = 7;
constexpr uint32_t headingFill = 0xE6E6E6;
constexpr uint32_t unitFill = 0xF0F0F0;

class VacancySheet
{
public:
    VacancySheet(const QString& file, const QString& shownName)
        : m_sheet(file, shownName, QStringLiteral("Вакансии")),
          m_plain(m_sheet.addCellFormat(false, 0, nullptr)),
          m_number(m_sheet.addCellFormat(false, 0, "0.00")),
          m_heading(m_sheet.addCellFormat(true, headingFill, nullptr)),
          m_unit(m_sheet.addCellFormat(true, unitFill, nullptr)),
          m_total(m_sheet.addCellFormat(true, 0, nullptr)),
          m_totalNumber(m_sheet.addCellFormat(true, 0, "0.00")),
          m_grand(m_sheet.addCellFormat(true, headingFill, nullptr)),
          m_grandNumber(m_sheet.addCellFormat(true, headingFill, "0.00")), m_title(m_sheet.addFormat())
    {
        format_set_bold(m_title);
        format_set_font_size(m_title, 13);
        lxw_worksheet* sheet = m_sheet.worksheet();
        worksheet_set_paper(sheet, 9); // A4
        worksheet_set_landscape(sheet);
        worksheet_fit_to_pages(sheet, 1, 0);
        m_sheet.setFooter(QStringLiteral("&R&8Лист &P из &N"));
        const double widths[columnCount] = {8, 40, 12, 20, 12, 12, 12};
        for (lxw_col_t column = 0; column < columnCount; ++column)
            m_sheet.setColumnWidth(column, widths[column], nullptr);
    }

    void title(const VacancyReport& report)
    {
        m_sheet.text(m_row++, 0, report.institution, nullptr);
        m_sheet.text(m_row++, 0, QStringLiteral("Вакансии"), m_title);
        m_sheet.text(m_row++, 0,
                     QStringLiteral("по состоянию на ") + report.asOf.toString(QStringLiteral("dd.MM.yyyy")),
                     nullptr);
    }

    void section(const QString& text)
    {
        ++m_row;
        m_sheet.text(m_row++, 0, text, m_title);
    }

    void headings(const QStringList& titles)
    {
        for (lxw_col_t column = 0; column < lxw_col_t(titles.size()); ++column)
            m_sheet.text(m_row, column, titles.at(column), m_heading);
        ++m_row;
    }

    void unitRow(const QString& unit)
    {
        m_sheet.merge(m_row, 0, m_row, columnCount - 1, unit, m_unit);
        ++m_row;
    }

    void lineRow(const QString& code, const VacancyLine& line, qint64 last)
    {
        m_sheet.text(m_row, 0, code, m_plain);
        m_sheet.text(m_row, 1, line.post, m_plain);
        m_sheet.text(m_row, 2, line.category, m_plain);
        m_sheet.text(m_row, 3, line.funding, m_plain);
        numbers(m_row++, 4, {line.units, line.occupied, last}, m_number);
    }

    // A caption over the first `span` columns and the figures after it.
    void totalRow(const QString& caption, lxw_col_t span, std::initializer_list<qint64> figures, bool grand)
    {
        if (span > 1)
            m_sheet.merge(m_row, 0, m_row, span - 1, caption, grand ? m_grand : m_total);
        else
            m_sheet.text(m_row, 0, caption, grand ? m_grand : m_total);
        numbers(m_row++, span, figures, grand ? m_grandNumber : m_totalNumber);
    }

    void namedRow(const QString& name, const VacancyFigures& f)
    {
        m_sheet.text(m_row, 0, name, m_plain);
        numbers(m_row++, 1, {f.units, f.occupied, f.vacant, f.over}, m_number);
    }

    void close() { m_sheet.close(); }

private:
    void numbers(lxw_row_t row, lxw_col_t first, std::initializer_list<qint64> hundredths, lxw_format* format)
    {
        lxw_col_t column = first;
        for (qint64 value : hundredths)
            m_sheet.number(row, column++, double(value) / 100, format);
    }

    XlsxSheet m_sheet;
    lxw_format* m_plain;
    lxw_format* m_number;
    lxw_format* m_heading;
    lxw_format* m_unit;
    lxw_format* m_total;
    lxw_format* m_totalNumber;
    lxw_format* m_grand;
    lxw_format* m_grandNumber;
    lxw_format* m_title;
    lxw_row_t m_row = 0;
};

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

void totals(VacancySheet& sheet, const QString& title, const QString& column, const QList<VacancyTotal>& list,
            const VacancyFigures& grand)
{
    sheet.section(title);
    sheet.headings({column, QStringLiteral("Штатных единиц"), QStringLiteral("Занято"),
                    QStringLiteral("Вакантно"), QStringLiteral("Сверх штата")});
    for (const VacancyTotal& total : list)
        sheet.namedRow(total.name.isEmpty() ? QStringLiteral("(не указан)") : total.name, total.figures);
    sheet.totalRow(QStringLiteral("Всего по учреждению"), 1,
                   {grand.units, grand.occupied, grand.vacant, grand.over}, true);
}

void fill(VacancySheet& sheet, const VacancyReport& report)
{
    sheet.title(report);
    sheet.headings(lineHeadings(QStringLiteral("Вакантно")));
    for (const VacancyGroup& group : report.groups) {
        if (group.vacantLines.isEmpty())
            continue;
        sheet.unitRow(group.unit);
        for (const VacancyLine& line : group.vacantLines)
            sheet.lineRow(group.code, line, line.vacant());
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
            sheet.lineRow(group.code, line, -line.vacant());
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
        VacancySheet sheet(file, path);
        fill(sheet, report);
        sheet.close();
    });
}

} // namespace zeb
